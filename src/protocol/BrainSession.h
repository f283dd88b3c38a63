// The brain's side of a protocol conversation: keeps the game, checks every command, and asks
// an engine behind a small interface for moves within the time the manager allows.
#pragma once

#include "protocol/BrainProtocol.h"
#include "protocol/LineSplitter.h"

#include <chrono>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// Whose a taken square is, as BOARD's fields 1, 2 and 3 say: the brain's, its opponent's, or
// nobody's (in a continuous game, a stone of a five already made: it counts for no one).
enum class TStoneOwner { Brain, Opponent, Nobody };

struct TBrainStone {
    int X = 0;
    int Y = 0;
    TStoneOwner Owner = TStoneOwner::Opponent;
};

struct TBrainGame {
    int Size = 0;
    std::vector<TBrainStone> Stones; // in the order they came
};

// What plays behind the protocol.
class TBrainEngine {
public:
    virtual ~TBrainEngine() = default;
    virtual TAbout About() const = 0;
    // Why the engine cannot play on a board of this size, or nothing when it can.
    virtual std::optional<std::string> RefuseSize(int size) const = 0;
    // A new game on a board of this size, which RefuseSize accepted.
    virtual void NewGame(int size) = 0;
    // An INFO key the session does not handle itself: nothing when it is taken or not the
    // engine's, else why its value is refused.
    virtual std::optional<std::string> Configure(const std::string& key,
                                                 const std::string& value) = 0;
    // The engine's move in game, on an empty square, within budget.
    virtual std::pair<int, int> Choose(const TBrainGame& game,
                                       std::chrono::milliseconds budget) = 0;
};

class TBrainSession {
public:
    explicit TBrainSession(TBrainEngine& engine) : Engine(engine) {}

    // Takes one line from the manager and gives the lines to answer, if any. A command that asks
    // for a move is answered only when the engine has chosen it.
    std::vector<std::string> Handle(const TTextLine& line);
    bool Ended() const { return Finished; }
    // The time the engine gets for the next move.
    std::chrono::milliseconds MoveBudget() const;

private:
    std::vector<std::string> Run(const TCommand& command);
    std::vector<std::string> Start(int width, int height);
    std::vector<std::string> Turn(int x, int y);
    std::vector<std::string> SetBoard(const std::vector<TBoardEntry>& entries);
    std::vector<std::string> TakeBack(int x, int y);
    std::vector<std::string> Info(const std::string& key, const std::string& value);
    std::vector<std::string> Move();
    std::optional<std::string> SquareProblem(int x, int y) const;
    bool Taken(int x, int y) const;
    std::optional<std::string> FiveProblem() const;

    TBrainEngine& Engine;
    TCommandReader Reader;
    TBrainGame Game;
    bool Finished = false;
    // The manager's limits in milliseconds; 0 turn time asks for the quickest answer, 0 match
    // time means no match limit.
    long long TurnTime = 30000;
    long long MatchTime = 0;
    std::optional<long long> TimeLeft;
    bool Continuous = false; // INFO rule 2: the game goes on after a five
};

// Serves the manager on in and out until END or the end of input, a line at a time: the answer
// is written before the next line is read, as the protocol asks of a brain that does not listen
// while it thinks.
void ServeBrain(std::streambuf& in, std::ostream& out, TBrainSession& session);

// The brain's side of a protocol conversation: keeps the game, checks every command, and asks
// an engine behind a small interface for moves within the time the manager allows.
#pragma once

#include "protocol/BrainProtocol.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// A stone as the brain sees it: its own (field 1) or its opponent's (field 2).
struct TBrainStone {
    int X = 0;
    int Y = 0;
    bool Own = false;
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
    std::vector<std::string> Handle(std::string_view line);
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

    TBrainEngine& Engine;
    TCommandReader Reader;
    TBrainGame Game;
    bool Finished = false;
    // The manager's limits in milliseconds; 0 turn time asks for the quickest answer, 0 match
    // time means no match limit.
    long long TurnTime = 30000;
    long long MatchTime = 0;
    std::optional<long long> TimeLeft;
};

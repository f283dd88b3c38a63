// Rennor Emperor, the strong computer player: a position and a time budget in, a move out,
// and a stop flag that ends the thinking at once from any other thread.
#pragma once

#include "core/Types.h"
#include "variants/Rule.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

// A stone on a square board; x is the column and y the row, both from 0.
struct TSearchStone {
    int X = 0;
    int Y = 0;
    TStoneColor Color = BlackStone;
};

// Any position on a square board of 15 to 22 squares a side, under a rule; the stones need not
// come in the order they were played.
struct TSearchPosition {
    int Size = 19;
    std::vector<TSearchStone> Stones;
    TStoneColor ToMove = BlackStone;
    TRule Rule = TRule::Freestyle;
};

struct TSearchLimits {
    // The answer comes within this time (to a few milliseconds), or at once when stopped.
    std::chrono::milliseconds Budget{1000};
    // Deepest full-width search to try, in moves; fewer for a weaker, quicker player.
    int MaxDepth = 60;
    // Threads that search at once, sharing what they find; the machine's cores cap it.
    int Threads = 2;
};

struct TSearchResult {
    // The chosen square, or -1, -1 when there is none (a full board or a game already won).
    int X = -1;
    int Y = -1;
    // From the side to move's view; above WinThreshold a win is forced, below -WinThreshold a
    // loss.
    int Score = 0;
    int Depth = 0;           // the deepest search completed
    std::uint64_t Nodes = 0; // positions looked at
    bool Stopped = false;    // the stop flag ended the thinking
    // A forced win found by threats: the moves from here to five, both sides, in turn.
    std::vector<std::pair<int, int>> WinLine;

    bool HasMove() const { return X >= 0; }
    bool ForcedWin() const;
};

constexpr int MinSearchSize = 15;
constexpr int MaxSearchSize = 22;
constexpr int WinScore = 30000;
constexpr int WinThreshold = WinScore - 1000;

// One search at a time per object; separate objects may think on separate threads at once.
// Nothing is shared between objects but read-only tables.
class TEmperor {
public:
    // The transposition table takes about this many bytes.
    explicit TEmperor(std::size_t tableBytes = std::size_t{32} << 20);
    ~TEmperor();
    TEmperor(const TEmperor&) = delete;
    TEmperor& operator=(const TEmperor&) = delete;

    // Why a position cannot be searched (size, a square off the board or taken twice, a colour
    // other than black or white), or empty when it can.
    static std::string Problem(const TSearchPosition& position);

    // The move for position.ToMove. Throws std::invalid_argument when Problem() is not empty.
    // Setting stop makes it return within a millisecond or so with the best move found so far
    // (still a legal move, unless there is none).
    TSearchResult Think(const TSearchPosition& position, const TSearchLimits& limits,
                        const std::atomic<bool>& stop);
    TSearchResult Think(const TSearchPosition& position, const TSearchLimits& limits,
                        std::stop_token stop);

    // The line the searches so far expect after the move (x, y) of the side to move: that move,
    // then the best replies they remember or the position forces, at most maxMoves, ending at a
    // five.
    std::vector<std::pair<int, int>> ExpectedLine(const TSearchPosition& position, int x, int y,
                                                  int maxMoves) const;

    // Forgets what earlier searches learnt, for a new game.
    void NewGame();

    // Builds the tables a rule's search needs now, rather than in the first move's time.
    static void Prepare(TRule rule);

private:
    struct TMemory;
    std::unique_ptr<TMemory> Memory;
};

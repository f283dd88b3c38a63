// Principal-variation search with iterative deepening over the moves worth trying.
#pragma once

#include "search/SearchBoard.h"
#include "search/SearchClock.h"
#include "search/ThreatSearch.h"
#include "search/TransTable.h"

#include <cstdint>
#include <vector>

class TAlphaBeta {
public:
    TAlphaBeta(TSearchBoard& board, TSearchClock& clock, TTransTable& table);

    struct TOutcome {
        TCell Move = NoCell;
        int Score = 0;
        int Depth = 0;
    };
    // Deepens until the clock runs out or maxDepth is done; the first of rootMoves is the
    // answer if not even one move could be searched. The board is left as it was found. A search
    // that runs `ahead` skips the odd depths after the first.
    TOutcome Run(std::vector<TCell> rootMoves, int maxDepth, bool ahead = false);
    // The moves worth trying for the side to move, best first: all answers to a threat, or the
    // most promising of the quiet moves.
    void Generate(std::vector<TCell>& out, TCell first, int ply, int depth) const;
    std::uint64_t Nodes() const { return Counted; }

private:
    int Search(int depth, int alpha, int beta, int ply);
    int Forced(int ply) const;
    int Evaluate() const;
    // Whether colour has a square that makes a four.
    bool HasFours(int colour) const;
    int TryMove(TCell move, std::size_t index, int depth, int alpha, int beta, int ply);
    int SearchMoves(const std::vector<TCell>& moves, int depth, int alpha, int beta, int ply,
                    TCell& best);
    int RootIteration(std::vector<TCell>& moves, int depth, TOutcome& outcome);
    int Reduction(TCell move, int depth, std::size_t index) const;
    void Remember(TCell move, int ply, int depth);

    TSearchBoard& Board;
    TSearchClock& Clock;
    TTransTable& Table;
    std::uint64_t Counted = 0;
    static constexpr int MaxPly = 128;
    // Positions searched at least this deep are marked for the other threads.
    static constexpr int MarkDepth = 3;
    TCell Killers[MaxPly][2];
    std::vector<int> History;
    std::vector<std::vector<TCell>> Lists; // one move list per ply, kept to save allocations
    std::vector<std::vector<std::size_t>> Deferred; // the same for moves put off
};

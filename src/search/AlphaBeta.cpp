// Principal-variation search: forced answers first, quiet moves by promise, leaves by their shapes.
#include "search/AlphaBeta.h"

#include "search/Emperor.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace {

// Thrown when the clock runs out, with stones of the line being searched still on the board: Run
// takes them back.
struct TAborted {};

constexpr int Infinity = WinScore + 1;
constexpr int NoScore = INT_MIN;
constexpr int EvalLimit = WinThreshold - 1000;
// Plies past the depth that an open three may still be answered. Two won more games than four
// (tools/match.py, 100 ms a move), and as many as one: the nodes they save buy depth.
constexpr int ThreatExtension = 2;

// Wins and losses are stored counted from the position, not from the root.
int ToTable(int score, int ply) {
    return score > WinThreshold ? score + ply : score < -WinThreshold ? score - ply : score;
}
int FromTable(int score, int ply) {
    return score > WinThreshold ? score - ply : score < -WinThreshold ? score + ply : score;
}

// A position marked as being searched, for the other threads, until its search ends either way.
class TBusyMark {
public:
    TBusyMark(TTransTable& table, std::uint64_t hash, bool mark)
        : Table(mark ? &table : nullptr), Hash(hash) {
        if (Table) {
            Table->Enter(Hash);
        }
    }
    TBusyMark(const TBusyMark&) = delete;
    TBusyMark& operator=(const TBusyMark&) = delete;
    ~TBusyMark() {
        if (Table) {
            Table->Leave(Hash);
        }
    }

private:
    TTransTable* Table;
    std::uint64_t Hash;
};

// How many quiet moves are worth trying with this much depth left. Wider lists won fewer games
// at 100 ms and 1 s a move (tools/match.py): the depth they cost was worth more than the moves.
int QuietWidth(int ply, int depth) {
    return ply == 0 ? 30 : std::clamp(4 + 2 * depth, 4, 14);
}

} // namespace

TAlphaBeta::TAlphaBeta(TSearchBoard& board, TSearchClock& clock, TTransTable& table)
    : Board(board), Clock(clock), Table(table), History(CellCount, 0), Lists(MaxPly),
      Deferred(MaxPly) {
    for (auto& k : Killers) {
        k[0] = k[1] = NoCell;
    }
}

int TAlphaBeta::Forced(int ply) const {
    const int me = Board.ToMove();
    const int you = Other(me);
    if (Board.CountOf(me, TShape::Five) > 0) {
        return WinScore - ply - 1;
    }
    const int fives = Board.CountOf(you, TShape::Five);
    if (fives >= 2) {
        return -(WinScore - ply - 2);
    }
    if (fives == 0 && Board.HasFlex4(me)) {
        return WinScore - ply - 3;
    }
    return NoScore;
}

int TAlphaBeta::Evaluate() const {
    const int me = Board.ToMove();
    int score =
        Board.WorthSum(me, TWorthSide::ToMove) - Board.WorthSum(Other(me), TWorthSide::Waiting);
    // Two open threes in one move, with no four for the opponent to answer them by, win more
    // often than not: the opponent blocks one and the other becomes an open four. (Under renju
    // black may not make them.)
    if (!Board.MayFoul(me) && Board.CountOf(me, TShape::Three2x) > 0 && !HasFours(Other(me))) {
        score += DoubleThreeWorth;
    }
    return std::clamp(score, -EvalLimit, EvalLimit);
}

bool TAlphaBeta::HasFours(int colour) const {
    return Board.CountOf(colour, TShape::Flex4) + Board.CountOf(colour, TShape::Four3) +
               Board.CountOf(colour, TShape::FourPlus) + Board.CountOf(colour, TShape::Four) >
           0;
}

void TAlphaBeta::Generate(std::vector<TCell>& out, TCell first, int ply, int depth) const {
    const int me = Board.ToMove();
    const int you = Other(me);
    out.clear();
    Board.Candidates(out);
    if (Board.MayFoul(me)) {
        std::erase_if(out, [&](TCell c) { return Board.Forbidden(me, c); });
    }
    auto score = [&](TCell c) {
        return Board.ValueAt(me, c) * 6 / 5 + Board.ValueAt(you, c) + History[c] / 64;
    };
    if (Board.CountOf(you, TShape::Flex4) > 0) {
        // The opponent threatens an open four: only our fours and the squares on its line help.
        std::erase_if(out, [&](TCell c) { return !MeetsAFour(Board, me, c); });
        std::sort(out.begin(), out.end(), [&](TCell a, TCell b) { return score(a) > score(b); });
    } else {
        const int width = std::min<int>(QuietWidth(ply, depth), static_cast<int>(out.size()));
        std::partial_sort(out.begin(), out.begin() + width, out.end(),
                          [&](TCell a, TCell b) { return score(a) > score(b); });
        out.resize(width);
    }
    // The table's move, then the killers, go first when they are among the moves.
    const TCell killers[2] = {ply < MaxPly ? Killers[ply][1] : NoCell,
                              ply < MaxPly ? Killers[ply][0] : NoCell};
    for (TCell front : {killers[0], killers[1], first}) {
        if (auto it = std::find(out.begin(), out.end(), front); it != out.end()) {
            std::rotate(out.begin(), it, it + 1);
        }
    }
}

// Late quiet moves are first tried shallower, and only with a null window; the latest of a deep
// search two moves shallower. A move that makes or stops a threat is never quiet: a three left
// unanswered two moves early loses the game.
int TAlphaBeta::Reduction(TCell move, int depth, std::size_t index) const {
    const int me = Board.ToMove();
    const bool threat =
        IsThreat(Board.ShapeAt(me, move)) || IsThreat(Board.ShapeAt(Other(me), move));
    if (threat || depth < 3 || index < 4) {
        return 0;
    }
    return depth >= 5 && index >= 10 ? 2 : 1;
}

void TAlphaBeta::Remember(TCell move, int ply, int depth) {
    if (Killers[ply][0] != move) {
        Killers[ply][1] = Killers[ply][0];
        Killers[ply][0] = move;
    }
    History[move] += depth * depth;
}

// The first move with the full window; later ones first with a null window, and shallower when
// quiet, searched again in full only when they beat alpha.
int TAlphaBeta::TryMove(TCell move, std::size_t index, int depth, int alpha, int beta, int ply) {
    const int reduce = index == 0 ? 0 : Reduction(move, depth, index);
    Board.Play(move);
    int score;
    {
        const TBusyMark busy(Table, Board.Hash(), depth >= MarkDepth);
        if (index == 0) {
            score = -Search(depth - 1, -beta, -alpha, ply + 1);
        } else {
            score = -Search(depth - 1 - reduce, -alpha - 1, -alpha, ply + 1);
            if (score > alpha && (reduce > 0 || score < beta)) {
                score = -Search(depth - 1, -beta, -alpha, ply + 1);
            }
        }
    }
    Board.Undo();
    return score;
}

// Moves after the first that another thread is searching now wait until the rest are done.
int TAlphaBeta::SearchMoves(const std::vector<TCell>& moves, int depth, int alpha, int beta,
                            int ply, TCell& best) {
    int bestScore = -Infinity;
    std::vector<std::size_t>& later = Deferred[ply];
    later.clear();
    const auto cuts = [&](std::size_t i) {
        const int score = TryMove(moves[i], i, depth, alpha, beta, ply);
        if (score > bestScore) {
            bestScore = score;
            best = moves[i];
        }
        if (score > alpha) {
            alpha = score;
            if (alpha >= beta) {
                Remember(moves[i], ply, depth);
                return true;
            }
        }
        return false;
    };
    for (std::size_t i = 0; i < moves.size(); ++i) {
        if (i > 0 && depth >= MarkDepth && Table.Busy(Board.HashAfter(moves[i]))) {
            later.push_back(i);
        } else if (cuts(i)) {
            return bestScore;
        }
    }
    for (std::size_t i : later) {
        if (cuts(i)) {
            break;
        }
    }
    return bestScore;
}

int TAlphaBeta::Search(int depth, int alpha, int beta, int ply) {
    if (Clock.Expired()) {
        throw TAborted{};
    }
    ++Counted;
    if (const int forced = Forced(ply); forced != NoScore) {
        return forced;
    }
    if (ply >= MaxPly - 1 || Board.Full()) {
        return Evaluate();
    }
    const int you = Other(Board.ToMove());
    if (Board.CountOf(you, TShape::Five) == 1) {
        // The only move: searched at the same depth, since it changes nothing about the threats.
        const TCell block = Board.FindShape(you, TShape::Five, Board.LastMove());
        if (Board.Forbidden(Board.ToMove(), block)) {
            return -(WinScore - ply - 2);
        }
        Board.Play(block);
        const int score = -Search(depth, -beta, -alpha, ply + 1);
        Board.Undo();
        return score;
    }
    const std::uint64_t hash = Board.Hash();
    TCell tableMove = NoCell;
    if (const std::optional<TTransEntry> e = Table.Find(hash)) {
        tableMove = e->Move;
        const int score = FromTable(e->Score, ply);
        if (e->Depth >= depth &&
            (e->Bound == TBound::Exact || (e->Bound == TBound::Lower && score >= beta) ||
             (e->Bound == TBound::Upper && score <= alpha))) {
            return score;
        }
    }
    // An open three of the opponent's is answered before the position is judged: judged with it
    // standing, the side to move would look lost when one block saves it. A leaf is judged by its
    // shapes alone: a win by fours found there, with the replies above it cut to the most promising
    // few, showed wins and losses that a move left off those lists undoes, and lost games.
    if (depth <= 0 && (depth <= -ThreatExtension || Board.CountOf(you, TShape::Flex4) == 0)) {
        return Evaluate();
    }
    std::vector<TCell>& moves = Lists[ply];
    Generate(moves, tableMove, ply, depth);
    if (moves.empty()) {
        return Evaluate();
    }
    TCell best = moves.front();
    const int score = SearchMoves(moves, depth, alpha, beta, ply, best);
    const TBound bound = score <= alpha  ? TBound::Upper
                         : score >= beta ? TBound::Lower
                                         : TBound::Exact;
    Table.Store(hash, {static_cast<std::int16_t>(ToTable(score, ply)),
                       static_cast<std::int16_t>(best), static_cast<std::int8_t>(depth), bound,
                       static_cast<std::uint16_t>(Board.StoneCount())});
    return score;
}

int TAlphaBeta::RootIteration(std::vector<TCell>& moves, int depth, TOutcome& outcome) {
    int alpha = -Infinity;
    int bestScore = -Infinity;
    std::size_t bestIndex = 0;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        Board.Play(moves[i]);
        int score;
        if (i == 0) {
            score = -Search(depth - 1, -Infinity, -alpha, 1);
        } else {
            score = -Search(depth - 1, -alpha - 1, -alpha, 1);
            if (score > alpha) {
                score = -Search(depth - 1, -Infinity, -alpha, 1);
            }
        }
        Board.Undo();
        if (score > bestScore) {
            // Only a move searched to the end is taken, so a stop now still leaves a good answer.
            bestScore = score;
            bestIndex = i;
            outcome.Move = moves[i];
            outcome.Score = score;
        }
        alpha = std::max(alpha, score);
    }
    std::rotate(moves.begin(), moves.begin() + static_cast<std::ptrdiff_t>(bestIndex),
                moves.begin() + static_cast<std::ptrdiff_t>(bestIndex) + 1);
    return bestScore;
}

TAlphaBeta::TOutcome TAlphaBeta::Run(std::vector<TCell> rootMoves, int maxDepth, bool ahead) {
    TOutcome outcome;
    if (rootMoves.empty()) {
        return outcome;
    }
    outcome.Move = rootMoves.front();
    const int stones = Board.StoneCount();
    for (int depth = 1; depth <= maxDepth; depth += ahead && depth > 1 ? 2 : 1) {
        try {
            const int score = RootIteration(rootMoves, depth, outcome);
            outcome.Depth = depth;
            if (score > WinThreshold || score < -WinThreshold) {
                break;
            }
        } catch (const TAborted&) {
            while (Board.StoneCount() > stones) {
                Board.Undo();
            }
            break;
        }
    }
    return outcome;
}

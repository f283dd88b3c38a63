// Threat-space search: the attacker only threatens, the defender only answers the threat.
#include "search/ThreatSearch.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

using TMoveList = std::array<TCell, MaxSearchSize * MaxSearchSize>;

// Strongest shape first, then the higher value.
void SortByStrength(const TSearchBoard& board, int colour, TCell* begin, TCell* end) {
    std::sort(begin, end, [&](TCell a, TCell b) {
        const TShape sa = board.ShapeAt(colour, a);
        const TShape sb = board.ShapeAt(colour, b);
        return sa != sb ? sa < sb : board.ValueAt(colour, a) > board.ValueAt(colour, b);
    });
}

// The squares, in board order, where colour may play and gets at least shape mine, or where the
// opponent would get at least shape theirs. Such a square always lies near a stone, and the board's
// tallies tell how many there are, so the scan ends at the last of them.
int GatherShapes(const TSearchBoard& board, int colour, TShape mine, std::optional<TShape> theirs,
                 TMoveList& out) {
    const int you = Other(colour);
    int left = board.CountUpTo(colour, mine) + (theirs ? board.CountUpTo(you, *theirs) : 0);
    int n = 0;
    for (int y = 0; y < board.Size() && left > 0; ++y) {
        for (TCell c = board.CellOf(0, y), end = c + board.Size(); c < end && left > 0; ++c) {
            if (!board.IsEmpty(c)) {
                continue;
            }
            const int hits = (board.ShapeAt(colour, c) <= mine ? 1 : 0) +
                             (theirs && board.ShapeAt(you, c) <= *theirs ? 1 : 0);
            left -= hits;
            if (hits > 0 && !board.Forbidden(colour, c)) {
                out[n++] = c;
            }
        }
    }
    return n;
}

// A win in one, or an unstoppable open four, for the side to move whose opponent has no five to
// make: the line then goes on to five, the defender taking either square.
bool FinishesAtOnce(TSearchBoard& board, std::vector<TCell>& line) {
    const int me = board.ToMove();
    if (board.CountOf(me, TShape::Five) > 0) {
        line.assign(1, board.FindShape(me, TShape::Five, board.LastMove()));
        return true;
    }
    if (board.CountOf(me, TShape::Flex4) == 0 || board.CountOf(Other(me), TShape::Five) > 0) {
        return false;
    }
    const TCell four = board.FindAllowed(me, TShape::Flex4, board.LastMove());
    if (four == NoCell) {
        return false;
    }
    board.Play(four);
    const TCell block = board.FindShape(me, TShape::Five, four);
    board.Play(block);
    line = {four, block, board.FindShape(me, TShape::Five, four)};
    board.Undo();
    board.Undo();
    return true;
}

} // namespace

TThreatSearch::TThreatSearch(TSearchBoard& board, TSearchClock& clock)
    : Board(board), Clock(clock) {}

bool TThreatSearch::CutShort() {
    ++Counted;
    return Counted > Limit || Clock.Expired();
}

void TThreatSearch::Prepend(TCell attack, TCell reply) {
    WinLine.insert(WinLine.begin(), reply);
    WinLine.insert(WinLine.begin(), attack);
}

bool TThreatSearch::Vcf(int maxFours, std::uint64_t nodeLimit) {
    WinLine.clear();
    Limit = Counted + nodeLimit;
    return FourWins(maxFours);
}

bool TThreatSearch::Vct(int maxThreats, std::uint64_t nodeLimit) {
    WinLine.clear();
    Limit = Counted + nodeLimit;
    return ThreatWins(maxThreats);
}

bool TThreatSearch::FourWins(int fours) {
    const int me = Board.ToMove();
    const int you = Other(me);
    if (FinishesAtOnce(Board, WinLine)) {
        return true;
    }
    if (fours <= 0 || Board.CountOf(you, TShape::Five) > 1 || CutShort() ||
        FourFails.Failed(Board.Hash(), fours)) {
        return false;
    }
    TMoveList moves;
    int n = 0;
    if (Board.CountOf(you, TShape::Five) == 1) {
        // The opponent's four must be blocked first: that goes on only if the block is a four.
        const TCell block = Board.FindShape(you, TShape::Five, Board.LastMove());
        if (IsFour(Board.ShapeAt(me, block)) && !Board.Forbidden(me, block)) {
            moves[n++] = block;
        }
    } else {
        n = GatherShapes(Board, me, TShape::Four, std::nullopt, moves);
        SortByStrength(Board, me, moves.data(), moves.data() + n);
    }
    for (int i = 0; i < n; ++i) {
        const TCell four = moves[i];
        Board.Play(four);
        const TCell reply = Board.FindShape(me, TShape::Five, four);
        if (Board.Forbidden(you, reply)) {
            // The only block is a foul: the four wins as surely as an open four.
            Board.Undo();
            WinLine.assign(1, four);
            return true;
        }
        Board.Play(reply);
        const bool wins = FourWins(fours - 1);
        Board.Undo();
        Board.Undo();
        if (wins) {
            Prepend(four, reply);
            return true;
        }
    }
    if (!Clock.Expired() && Counted <= Limit) {
        FourFails.Fail(Board.Hash(), fours);
    }
    return false;
}

void TThreatSearch::Attacks(int colour, bool threesToo, std::vector<TCell>& out) const {
    out.clear();
    TMoveList moves;
    const int n =
        GatherShapes(Board, colour, threesToo ? TShape::Three : TShape::Four, std::nullopt, moves);
    SortByStrength(Board, colour, moves.data(), moves.data() + n);
    out.assign(moves.data(), moves.data() + n);
}

// Against an open three: the defender's own fours, and every square where the attacker would
// make a four, which takes in both ends and the gaps of each open three on the board.
void TThreatSearch::Defences(std::vector<TCell>& out) const {
    const int me = Board.ToMove();
    const int you = Other(me);
    out.clear();
    TMoveList moves;
    const int n = GatherShapes(Board, me, TShape::Four, TShape::Four, moves);
    SortByStrength(Board, you, moves.data(), moves.data() + n);
    out.assign(moves.data(), moves.data() + n);
}

bool TThreatSearch::ThreatWins(int threats) {
    const int me = Board.ToMove();
    const int you = Other(me);
    if (FinishesAtOnce(Board, WinLine)) {
        return true;
    }
    if (Board.CountOf(you, TShape::Five) > 1 || CutShort()) {
        return false;
    }
    if (Board.CountOf(you, TShape::Five) == 1) {
        // Blocking the defender's four goes on only while our threat still stands.
        const TCell block = Board.FindShape(you, TShape::Five, Board.LastMove());
        if (Board.Forbidden(me, block)) {
            return false;
        }
        Board.Play(block);
        const bool standing = Board.CountOf(me, TShape::Five) > 0 || Board.HasFlex4(me);
        const bool wins = standing && DefenceFails(threats);
        Board.Undo();
        if (wins) {
            WinLine.insert(WinLine.begin(), block);
        }
        return wins;
    }
    if (threats <= 0) {
        return FourWins(LeafFours);
    }
    if (ThreatFails.Failed(Board.Hash(), threats)) {
        return false;
    }
    // While the defender has an open three of its own, a three of ours comes too late.
    std::vector<TCell> moves;
    Attacks(me, Board.CountOf(you, TShape::Flex4) == 0, moves);
    for (TCell threat : moves) {
        Board.Play(threat);
        const bool wins = DefenceFails(threats - 1);
        Board.Undo();
        if (wins) {
            WinLine.insert(WinLine.begin(), threat);
            return true;
        }
    }
    if (!Clock.Expired() && Counted <= Limit) {
        ThreatFails.Fail(Board.Hash(), threats);
    }
    return false;
}

// The defender to move against a threat; true when every answer still loses.
bool TThreatSearch::DefenceFails(int threats) {
    const int me = Board.ToMove();
    const int you = Other(me);
    if (Board.CountOf(me, TShape::Five) > 0 || CutShort()) {
        return false;
    }
    if (Board.CountOf(you, TShape::Five) > 1) {
        WinLine.assign(1, Board.FindShape(you, TShape::Five, Board.LastMove()));
        return true;
    }
    if (const std::vector<TCell>* known = DefenceLosses.Find(Board.Hash(), threats)) {
        WinLine = *known;
        return true;
    }
    std::vector<TCell> answers;
    if (Board.CountOf(you, TShape::Five) == 1) {
        const TCell block = Board.FindShape(you, TShape::Five, Board.LastMove());
        if (Board.Forbidden(me, block)) {
            WinLine.assign(1, block); // a foul for us, a five for them
            return true;
        }
        answers.push_back(block);
    } else if (Board.HasFlex4(you)) {
        Defences(answers);
        if (answers.empty() && Board.MayFoul(me)) {
            // Every answer would be a foul.
            WinLine.assign(1, Board.FindAllowed(you, TShape::Flex4, Board.LastMove()));
            return true;
        }
    }
    if (answers.empty()) {
        return false;
    }
    std::vector<TCell> line;
    for (TCell answer : answers) {
        Board.Play(answer);
        const bool wins = ThreatWins(threats);
        Board.Undo();
        if (!wins) {
            return false;
        }
        if (line.empty() || WinLine.size() + 1 < line.size()) {
            line = WinLine;
            line.insert(line.begin(), answer);
        }
    }
    WinLine = line; // the shortest of the defences' wins
    DefenceLosses.Keep(Board.Hash(), threats, line);
    return true;
}

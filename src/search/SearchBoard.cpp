// The strong player's board: stones, line keys, shapes and their tallies, updated per stone.
#include "search/SearchBoard.h"

#include "core/Random.h"
#include "variants/Judge.h"

#include <stdexcept>
#include <utility>

namespace {

// Where in the line key of a square lies the square k steps away (k from -4 to 4, not 0).
int KeyShift(int k) {
    return k < 0 ? 2 * (-k - 1) : 8 + 2 * (k - 1);
}

constexpr int NearReach = 2;
// Exactly five needs to see one square further than the line keys reach.
constexpr int FarReach = LineReach + 1;

// The strong player's board as the judge of the rules reads it.
class TSearchView : public TBoardView {
public:
    explicit TSearchView(const TSearchBoard& board) : Board(board) {}
    int Size() const override { return Board.Size(); }
    TStoneColor At(int x, int y) const override {
        return static_cast<TStoneColor>(Board.At(Board.CellOf(x, y)));
    }

private:
    const TSearchBoard& Board;
};

} // namespace

TSearchBoard::TSearchBoard(int size, TRule rule)
    : BoardSize(size), Played(rule), ExactFive{rule == TRule::Standard || rule == TRule::Renju,
                                               rule == TRule::Standard},
      Tables(TPatternTables::Get()) {
    if (ExactFive[0] || ExactFive[1]) {
        ExactLines = &TExactLines::Get();
    }
    if (size < MinSearchSize || size > MaxSearchSize) {
        throw std::invalid_argument("board size must be 15 to 22");
    }
    std::uint64_t seed = 0x52656E6E6F72ull; // the same keys on every board, so hashes compare
    for (auto& colour : StoneKey) {
        for (auto& key : colour) {
            key = SplitMix(seed);
        }
    }
    SideKey = {SplitMix(seed), SplitMix(seed)};
    // The same stones under another rule are another position for the tables that keep results.
    Key = rule == TRule::Freestyle ? 0 : SplitMix(seed) ^ static_cast<std::uint64_t>(rule);
    Stone.fill(OffBoard);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Stone[CellOf(x, y)] = 0;
        }
    }
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const TCell c = CellOf(x, y);
            for (int d = 0; d < 4; ++d) {
                for (int k = -LineReach; k <= LineReach; ++k) {
                    if (k != 0 && Stone[c + k * CellStep[d]] == OffBoard) {
                        Keys[c][d] |= static_cast<TLineKey>(OffBoard << KeyShift(k));
                    }
                }
            }
            for (int i = 0; i < 2; ++i) {
                for (int d = 0; d < 4; ++d) {
                    Lines[i][c][d] = LineFromKeys(c, d, i);
                }
                ShapeIndex[i][c] = static_cast<std::int16_t>(TPatternTables::Index(Lines[i][c]));
                Reshape(i, c);
            }
        }
    }
}

void TSearchBoard::Count(TCell c, int sign) {
    for (int i = 0; i < 2; ++i) {
        Tally[i][static_cast<int>(Shapes[i][c].Shape)] += sign;
        for (int side = 0; side < WorthSides; ++side) {
            Total[i][side] += sign * Shapes[i][c].Worth[side];
        }
    }
}

// A square's shape follows from its four lines, so only a line that changed changes it.
void TSearchBoard::Refresh(TCell c, int direction) {
    for (int i = 0; i < 2; ++i) {
        RefreshLine(i, c, direction);
    }
}

void TSearchBoard::RefreshLine(int i, TCell c, int direction) {
    const TLine line = LineFromKeys(c, direction, i);
    TLine& was = Lines[i][c][direction];
    if (line != was) {
        Changes.push_back({c, static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(direction),
                           was, ShapeIndex[i][c], Shapes[i][c]});
        ShapeIndex[i][c] = static_cast<std::int16_t>(
            ShapeIndex[i][c] +
            (static_cast<int>(line) - static_cast<int>(was)) * TPatternTables::Weight(direction));
        was = line;
        Reshape(i, c);
    }
}

// What a stone of colour i + 1 on c would make along the line in this direction.
inline TLine TSearchBoard::LineFromKeys(TCell c, int direction, int i) const {
    return ExactFive[i] ? ExactLines->Line(Keys[c][direction] | FarKey(c, direction, i + 1), i + 1)
                        : Tables.Line(Keys[c][direction], i + 1);
}

// The square's shape for colour i + 1 from its lines, with the tallies moved from the old one.
// (Copies, not references: the compiler need not fear that the tallies overlap the tables.)
void TSearchBoard::Reshape(int i, TCell c) {
    const TSquareShape now = Tables.Square(ShapeIndex[i][c]);
    const TSquareShape was = std::exchange(Shapes[i][c], now);
    --Tally[i][static_cast<int>(was.Shape)];
    ++Tally[i][static_cast<int>(now.Shape)];
    for (int side = 0; side < WorthSides; ++side) {
        Total[i][side] += now.Worth[side] - was.Worth[side];
    }
}

// The squares five away from c in each direction, packed as TExactLines keys want them. Only a
// stone of colour's own there changes a shape (it would make six), so anything else reads as
// empty: the same shapes, and the lookups stay in a small, often cached part of the table.
std::uint32_t TSearchBoard::FarKey(TCell c, int direction, int colour) const {
    auto at = [&](TCell q) { return q >= 0 && q < CellCount && Stone[q] == colour ? colour : 0; };
    return static_cast<std::uint32_t>(at(c - FarReach * CellStep[direction])) << 16 |
           static_cast<std::uint32_t>(at(c + FarReach * CellStep[direction])) << 18;
}

// Under exactly five, a stone changes its own colour's shapes on the squares five away as well:
// one more stone between would make six. The other colour's shapes there stay as they were.
void TSearchBoard::RefreshFar(TCell c, int colour) {
    const int i = colour - 1;
    if (!ExactFive[i]) {
        return;
    }
    for (int d = 0; d < 4; ++d) {
        for (int k : {-FarReach, FarReach}) {
            const TCell q = c + k * CellStep[d];
            if (q >= 0 && q < CellCount && Stone[q] == 0) {
                RefreshLine(i, q, d);
            }
        }
    }
}

void TSearchBoard::SetStone(TCell c, int colour) {
    Marks.push_back({Changes.size(), Tally, Total});
    Count(c, -1);
    Stone[c] = static_cast<std::uint8_t>(colour);
    Key ^= StoneKey[colour - 1][c];
    for (int d = 0; d < 4; ++d) {
        for (int k = -LineReach; k <= LineReach; ++k) {
            const TCell q = c + k * CellStep[d];
            if (k != 0 && Stone[q] != OffBoard) {
                // q sees c at -k steps.
                Keys[q][d] |= static_cast<TLineKey>(colour << KeyShift(-k));
                RefreshEmpty(q, d);
            }
        }
    }
    RefreshFar(c, colour);
    for (int dy = -NearReach; dy <= NearReach; ++dy) {
        for (int dx = -NearReach; dx <= NearReach; ++dx) {
            ++Near[c + dy * CellStride + dx];
        }
    }
}

// Only empty squares have shapes worth keeping.
void TSearchBoard::RefreshEmpty(TCell c, int direction) {
    if (Stone[c] == 0) {
        Refresh(c, direction);
    }
}

// A stone is taken back only after every later one (Undo is the only way), so what it changed is
// on top of the stack, and the tallies are again those from before it came.
void TSearchBoard::ClearStone(TCell c) {
    const int colour = Stone[c];
    Stone[c] = 0;
    Key ^= StoneKey[colour - 1][c];
    for (int d = 0; d < 4; ++d) {
        for (int k = -LineReach; k <= LineReach; ++k) {
            const TCell q = c + k * CellStep[d];
            if (k != 0 && Stone[q] != OffBoard) {
                Keys[q][d] &= static_cast<TLineKey>(~(3 << KeyShift(-k)));
            }
        }
    }
    for (int dy = -NearReach; dy <= NearReach; ++dy) {
        for (int dx = -NearReach; dx <= NearReach; ++dx) {
            --Near[c + dy * CellStride + dx];
        }
    }
    PutBack();
}

void TSearchBoard::PutBack() {
    const TMark& mark = Marks.back();
    while (Changes.size() > mark.Changes) {
        const TChange& ch = Changes.back();
        Lines[ch.Colour][ch.Square][ch.Direction] = ch.Line;
        ShapeIndex[ch.Colour][ch.Square] = ch.Index;
        Shapes[ch.Colour][ch.Square] = ch.Shape;
        Changes.pop_back();
    }
    Tally = mark.Tally;
    Total = mark.Total;
    Marks.pop_back();
}

void TSearchBoard::Place(TCell c, int colour) {
    SetStone(c, colour);
    History.push_back(c);
}

void TSearchBoard::Play(TCell c) {
    Place(c, SideToMove);
    SideToMove = Other(SideToMove);
}

void TSearchBoard::Undo() {
    const TCell c = History.back();
    History.pop_back();
    SideToMove = Stone[c];
    ClearStone(c);
}

TCell TSearchBoard::FindShape(int colour, TShape s, TCell near) const {
    const auto& shapes = Shapes[colour - 1];
    if (near != NoCell) {
        for (int d = 0; d < 4; ++d) {
            for (int k = -LineReach; k <= LineReach; ++k) {
                const TCell q = near + k * CellStep[d];
                if (Stone[q] == 0 && shapes[q].Shape <= s) {
                    return q;
                }
            }
        }
    }
    for (int y = 0; y < BoardSize; ++y) {
        for (int x = 0; x < BoardSize; ++x) {
            const TCell q = CellOf(x, y);
            if (Stone[q] == 0 && shapes[q].Shape <= s) {
                return q;
            }
        }
    }
    return NoCell;
}

TCell TSearchBoard::FindEmpty() const {
    for (int y = 0; y < BoardSize; ++y) {
        for (int x = 0; x < BoardSize; ++x) {
            if (Stone[CellOf(x, y)] == 0) {
                return CellOf(x, y);
            }
        }
    }
    return NoCell;
}

void TSearchBoard::Candidates(std::vector<TCell>& out) const {
    out.clear();
    for (int y = 0; y < BoardSize; ++y) {
        for (TCell c = CellOf(0, y), end = c + BoardSize; c < end; ++c) {
            if (Near[c] > 0 && Stone[c] == 0) {
                out.push_back(c);
            }
        }
    }
}

int TSearchBoard::Run(TCell c, int direction, int colour) const {
    int run = 1;
    for (TCell q = c - CellStep[direction]; Stone[q] == colour; q -= CellStep[direction]) {
        ++run;
    }
    for (TCell q = c + CellStep[direction]; Stone[q] == colour; q += CellStep[direction]) {
        ++run;
    }
    return run;
}

bool TSearchBoard::MakesFive(TCell c) const {
    const int colour = Stone[c];
    for (int d = 0; d < 4; ++d) {
        const int run = Run(c, d, colour);
        if (ExactFive[colour - 1] ? run == 5 : run >= 5) {
            return true;
        }
    }
    return false;
}

bool TSearchBoard::Foul(TCell c) const {
    const TShape s = Shapes[Black - 1][c].Shape;
    bool suspect = s == TShape::Flex4 || s == TShape::Four3 || s == TShape::Three2x;
    for (int d = 0; d < 4 && !suspect; ++d) {
        suspect = Run(c, d, Black) >= 6;
    }
    return suspect &&
           !Judge(TRule::Renju, TSearchView(*this), XOf(c), YOf(c), BlackStone).Allowed();
}

TCell TSearchBoard::FindAllowed(int colour, TShape s, TCell near) const {
    TCell found = FindShape(colour, s, near);
    if (found == NoCell || !Forbidden(colour, found)) {
        return found;
    }
    for (int y = 0; y < BoardSize; ++y) {
        for (int x = 0; x < BoardSize; ++x) {
            const TCell q = CellOf(x, y);
            if (Stone[q] == 0 && Shapes[colour - 1][q].Shape <= s && !Forbidden(colour, q)) {
                return q;
            }
        }
    }
    return NoCell;
}

bool TSearchBoard::HasFive() const {
    for (TCell c : History) {
        if (MakesFive(c)) {
            return true;
        }
    }
    return false;
}

// Builds the line and square tables by trying stones on nine-square lines.
#include "search/LinePatterns.h"

#include <algorithm>

namespace {

// A nine-square line seen by one colour: its own stones, empty squares, and blocks (the other
// colour or the edge). The centre, index 4, holds the stone being tried.
enum TSeen : std::uint8_t { Empty, Own, Block };
constexpr int Span = 2 * LineReach + 1;
constexpr int Centre = LineReach;
using TLineCells = std::array<TSeen, Span>;

int RunThroughCentre(const TLineCells& cells) {
    int run = 1;
    for (int i = Centre - 1; i >= 0 && cells[i] == Own; --i) {
        ++run;
    }
    for (int i = Centre + 1; i < Span && cells[i] == Own; ++i) {
        ++run;
    }
    return run;
}

// The empty squares that would complete five through the centre.
int FivePoints(TLineCells cells) {
    int count = 0;
    for (int i = 0; i < Span; ++i) {
        if (cells[i] == Empty) {
            cells[i] = Own;
            count += RunThroughCentre(cells) >= 5 ? 1 : 0;
            cells[i] = Empty;
        }
    }
    return count;
}

int MemoIndex(const TLineCells& cells) {
    int index = 0;
    for (int i = 0; i < Span; ++i) {
        if (i != Centre) {
            index = index * 3 + cells[i];
        }
    }
    return index;
}

constexpr int MemoSize = 6561; // 3 to the eighth
constexpr std::uint8_t Unknown = 0xFF;

// The shape the centre stone makes: five, then four by the number of squares that complete
// five, then one level below the best that another stone on the line would make. The memo
// holds every line already seen, keyed by the eight squares around the centre.
TLine ShapeWithCentre(TLineCells cells, std::array<std::uint8_t, MemoSize>& memo) {
    std::uint8_t& known = memo[MemoIndex(cells)];
    if (known != Unknown) {
        return static_cast<TLine>(known);
    }
    TLine shape = TLine::None;
    if (RunThroughCentre(cells) >= 5) {
        shape = TLine::Five;
    } else if (const int points = FivePoints(cells); points > 0) {
        shape = points >= 2 ? TLine::F4 : TLine::B4;
    } else {
        for (int i = 0; i < Span; ++i) {
            if (cells[i] != Empty) {
                continue;
            }
            cells[i] = Own;
            const int next = static_cast<int>(ShapeWithCentre(cells, memo));
            cells[i] = Empty;
            // An open four one stone away is an open three, a four a three, and so on.
            shape = std::max(shape, static_cast<TLine>(std::max(0, next - 2)));
        }
    }
    known = static_cast<std::uint8_t>(shape);
    return shape;
}

TLineCells CellsOf(TLineKey key, int colour) {
    TLineCells cells{};
    cells[Centre] = Own;
    for (int k = 1; k <= LineReach; ++k) {
        const int below = (key >> (2 * (k - 1))) & 3;
        const int above = (key >> (8 + 2 * (k - 1))) & 3;
        cells[Centre - k] = below == 0 ? Empty : below == colour ? Own : Block;
        cells[Centre + k] = above == 0 ? Empty : above == colour ? Own : Block;
    }
    return cells;
}

// Worth of each line shape to the colour that would play it, and of the combinations on top.
constexpr std::int16_t LineValue[LineShapeCount] = {0, 1, 2, 4, 10, 12, 40, 50, 300, 1000};
constexpr std::int16_t ShapeBonus[ShapeCount] = {10000, 3000, 800, 120, 0, 400, 60, 0, 15, 0, 0, 0};

TShape Combine(const int (&count)[LineShapeCount]) {
    auto n = [&](TLine l) { return count[static_cast<int>(l)]; };
    const int fours = n(TLine::B4);
    const int threes = n(TLine::B3) + n(TLine::F2);
    if (n(TLine::Five) > 0) {
        return TShape::Five;
    }
    if (n(TLine::F4) > 0 || fours >= 2) {
        return TShape::Flex4;
    }
    if (fours > 0) {
        return n(TLine::F3) > 0 ? TShape::Four3 : threes > 0 ? TShape::FourPlus : TShape::Four;
    }
    if (n(TLine::F3) > 0) {
        return n(TLine::F3) >= 2 ? TShape::Three2x : threes > 0 ? TShape::ThreePlus : TShape::Three;
    }
    if (threes >= 2) {
        return TShape::Block3Plus;
    }
    return n(TLine::B3) > 0 ? TShape::Block3 : n(TLine::F2) > 0 ? TShape::Two : TShape::None;
}

} // namespace

const TPatternTables& TPatternTables::Get() {
    static const TPatternTables tables;
    return tables;
}

TPatternTables::TPatternTables() {
    for (int colour = 1; colour <= 2; ++colour) {
        std::array<std::uint8_t, MemoSize> memo;
        memo.fill(Unknown);
        for (int key = 0; key < (1 << 16); ++key) {
            LineOf[colour - 1][key] =
                ShapeWithCentre(CellsOf(static_cast<TLineKey>(key), colour), memo);
        }
    }
    for (int index = 0; index < static_cast<int>(SquareOf.size()); ++index) {
        int count[LineShapeCount] = {};
        int value = 0;
        for (int rest = index, d = 0; d < 4; ++d, rest /= LineShapeCount) {
            ++count[rest % LineShapeCount];
            value += LineValue[rest % LineShapeCount];
        }
        const TShape shape = Combine(count);
        SquareOf[index] = {shape,
                           static_cast<std::int16_t>(value + ShapeBonus[static_cast<int>(shape)])};
    }
}

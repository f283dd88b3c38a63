// Builds the line and square tables by trying stones on nine-square lines.
#include "search/LinePatterns.h"

#include <algorithm>
#include <vector>

namespace {

// A line seen by one colour: its own stones, empty squares, and blocks (the other colour or the
// edge), Reach squares each side of the centre, which holds the stone being tried. Five means
// five or more in a row, or with Exact exactly five.
enum TSeen : std::uint8_t { Empty, Own, Block };
constexpr std::uint8_t Unknown = 0xFF;

template <int Reach, bool Exact> class TLineShapes {
public:
    static constexpr int Span = 2 * Reach + 1;
    static constexpr int Centre = Reach;
    using TCells = std::array<TSeen, Span>;

    TLineShapes() : Memo(MemoSize(), Unknown) {}

    // The shape the centre stone makes: five, then four by the number of squares that complete
    // five, then one level below the best that another stone on the line would make. The memo
    // holds every line already seen, keyed by the squares around the centre.
    TLine Shape(TCells cells) {
        std::uint8_t& known = Memo[MemoIndex(cells)];
        if (known != Unknown) {
            return static_cast<TLine>(known);
        }
        TLine shape = TLine::None;
        if (IsFive(RunThroughCentre(cells))) {
            shape = TLine::Five;
        } else if (const int points = FivePoints(cells); points > 0) {
            shape = points >= 2 ? TLine::F4 : TLine::B4;
        } else {
            for (int i = 0; i < Span; ++i) {
                if (cells[i] != Empty) {
                    continue;
                }
                cells[i] = Own;
                const int next = static_cast<int>(Shape(cells));
                cells[i] = Empty;
                // An open four one stone away is an open three, a four a three, and so on.
                shape = std::max(shape, static_cast<TLine>(std::max(0, next - 2)));
            }
        }
        known = static_cast<std::uint8_t>(shape);
        return shape;
    }

    static constexpr bool IsFive(int run) { return Exact ? run == 5 : run >= 5; }

    static int RunThroughCentre(const TCells& cells) {
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
    static int FivePoints(TCells cells) {
        int count = 0;
        for (int i = 0; i < Span; ++i) {
            if (cells[i] == Empty) {
                cells[i] = Own;
                count += IsFive(RunThroughCentre(cells)) ? 1 : 0;
                cells[i] = Empty;
            }
        }
        return count;
    }

    // The line whose memo index this is, the memo index being a number in base 3 of the squares
    // around the centre; Empty is 0, so the index of a line is the sum of those of its parts.
    static TCells CellsOfIndex(std::size_t index) {
        TCells cells{};
        cells[Centre] = Own;
        for (int i = Span - 1; i >= 0; --i) {
            if (i != Centre) {
                cells[i] = static_cast<TSeen>(index % 3);
                index /= 3;
            }
        }
        return cells;
    }

    static std::size_t MemoSize() {
        std::size_t size = 1;
        for (int i = 1; i < Span; ++i) {
            size *= 3;
        }
        return size;
    }

    static std::size_t MemoIndex(const TCells& cells) {
        std::size_t index = 0;
        for (int i = 0; i < Span; ++i) {
            if (i != Centre) {
                index = index * 3 + cells[i];
            }
        }
        return index;
    }

private:
    std::vector<std::uint8_t> Memo;
};

// The squares of a key as one colour sees them; the squares five away come from bits 16..19.
template <int Reach> std::array<TSeen, 2 * Reach + 1> CellsOf(std::uint32_t key, int colour) {
    std::array<TSeen, 2 * Reach + 1> cells{};
    cells[Reach] = Own;
    auto seen = [colour](std::uint32_t s) {
        return s == 0 ? Empty : s == static_cast<std::uint32_t>(colour) ? Own : Block;
    };
    for (int k = 1; k <= Reach; ++k) {
        const int below = k <= LineReach ? 2 * (k - 1) : 16;
        const int above = k <= LineReach ? 8 + 2 * (k - 1) : 18;
        cells[Reach - k] = seen((key >> below) & 3);
        cells[Reach + k] = seen((key >> above) & 3);
    }
    return cells;
}

// How promising each line shape makes a move for the colour that would play it, and the
// combinations on top: the order in which moves are tried.
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
        TLineShapes<LineReach, false> shapes;
        for (std::uint32_t key = 0; key < (1u << 16); ++key) {
            LineOf[colour - 1][key] = shapes.Shape(CellsOf<LineReach>(key, colour));
        }
    }
    for (int index = 0; index < static_cast<int>(SquareOf.size()); ++index) {
        int count[LineShapeCount] = {};
        int value = 0;
        std::array<int, WorthSides> worth{};
        for (int rest = index, d = 0; d < 4; ++d, rest /= LineShapeCount) {
            ++count[rest % LineShapeCount];
            value += LineValue[rest % LineShapeCount];
            for (int side = 0; side < WorthSides; ++side) {
                worth[side] += Worths[side].Line[rest % LineShapeCount];
            }
        }
        const TShape shape = Combine(count);
        const int s = static_cast<int>(shape);
        TSquareShape& square = SquareOf[index];
        square.Shape = shape;
        square.Value = static_cast<std::int16_t>(value + ShapeBonus[s]);
        for (int side = 0; side < WorthSides; ++side) {
            square.Worth[side] = static_cast<std::int16_t>(worth[side] + Worths[side].Shape[s]);
        }
    }
}

const TExactLines& TExactLines::Get() {
    static const TExactLines lines;
    return lines;
}

TExactLines::TExactLines() : LineOf(2 * KeyCount) {
    using TShapes = TLineShapes<LineReach + 1, true>;
    TShapes shapes;
    std::vector<TLine> byIndex(TShapes::MemoSize());
    for (std::size_t i = 0; i < byIndex.size(); ++i) {
        byIndex[i] = shapes.Shape(TShapes::CellsOfIndex(i));
    }
    // A million keys a colour: each is looked up by the index parts of its two halves.
    constexpr std::uint32_t Half = 10;
    for (int colour = 1; colour <= 2; ++colour) {
        std::vector<std::size_t> low(1u << Half), high(1u << Half);
        for (std::uint32_t part = 0; part < (1u << Half); ++part) {
            low[part] = TShapes::MemoIndex(CellsOf<LineReach + 1>(part, colour));
            high[part] = TShapes::MemoIndex(CellsOf<LineReach + 1>(part << Half, colour));
        }
        for (std::uint32_t key = 0; key < KeyCount; ++key) {
            LineOf[(colour - 1) * KeyCount + key] =
                byIndex[low[key & ((1u << Half) - 1)] + high[key >> Half]];
        }
    }
}

// Line shapes of five-or-more: what a stone on a square would make along one line, and what the
// four lines through a square make together.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

// What a stone of one colour on an empty square would make along one line, weakest first.
// "F" shapes are free (open) and "B" shapes blocked on one side: a four (B4) has one square
// left that makes five, an open four (F4) two; an open three (F3) can still become an open four,
// a three (B3) only a four; twos and ones the same one level down.
enum class TLine : std::uint8_t { None, B1, F1, B2, F2, B3, F3, B4, F4, Five };
constexpr int LineShapeCount = 10;

// What a stone on a square would make along its four lines together, strongest first: the
// combinations that matter for forcing play.
enum class TShape : std::uint8_t {
    Five,       // makes five: wins at once
    Flex4,      // an open four or two fours: wins next move
    Four3,      // a four and an open three
    FourPlus,   // a four and a three or open two
    Four,       // a four
    Three2x,    // two open threes
    ThreePlus,  // an open three and a three or open two
    Three,      // an open three
    Block3Plus, // two threes or open twos
    Block3,     // a three
    Two,        // an open two
    None,
};
constexpr int ShapeCount = 12;

// At least a four: the opponent has to answer at once.
constexpr bool IsFour(TShape s) {
    return s <= TShape::Four;
}
// At least an open three: a threat the opponent has to answer within a move.
constexpr bool IsThreat(TShape s) {
    return s <= TShape::Three;
}

// A line around a square: the four squares on each side, two bits each (0 empty, 1 black,
// 2 white, 3 off the board), the nearest first on each side: bits 0..7 run outward on the
// negative side, bits 8..15 outward on the positive side.
using TLineKey = std::uint16_t;
constexpr int LineReach = 4;

// A side of a position's worth: the side to move's, or the side that waits.
enum class TWorthSide { ToMove, Waiting };
constexpr int WorthSides = 2;

// The square's combined shape; how promising a move there is for the colour that would play
// there, which orders the moves; and what the square adds to that colour's side of a position's
// worth, as the side to move and as the side that waits.
struct TSquareShape {
    TShape Shape = TShape::None;
    std::int16_t Value = 0;
    std::array<std::int16_t, WorthSides> Worth{};
};

// What each line shape through an empty square, and each square's shape, adds to a position's
// worth for its colour: fitted to the results of thousands of games between earlier versions
// (bench/search/FitWorth.cpp), on the scale of the move values. The side to move gets to use its
// shapes first, and the side that waits must answer them, so a shape is worth something else to
// each. (No leaf has an open three of the side to move's: that wins on the spot.)
struct TWorthTable {
    std::array<std::int16_t, LineShapeCount> Line;
    std::array<std::int16_t, ShapeCount> Shape;
};
inline constexpr std::array<TWorthTable, WorthSides> Worths = {{
    {{0, 12, 0, 0, 0, 27, 48, 1, 209, 1250},
     {12500, 1045, 5129, 388, 129, 0, 166, 88, 40, 0, 3, 0}},
    {{0, 10, 0, 0, 4, 23, 0, 0, 1079, 1000}, {10000, 74, 1108, 379, 82, 0, 84, 82, 0, 0, 9, 0}},
}};
// What a square for two open threes adds for the side to move, when the opponent has no four to
// answer them by (see TAlphaBeta::Evaluate).
inline constexpr int DoubleThreeWorth = 5499;

// Read-only tables, built once on first use and then shared by every search on every thread.
class TPatternTables {
public:
    static const TPatternTables& Get();

    // What a stone of colour (1 black, 2 white) on the square would make along this line.
    TLine Line(TLineKey key, int colour) const { return LineOf[colour - 1][key]; }
    // The shape of four lines; Index() packs them.
    const TSquareShape& Square(int index) const { return SquareOf[index]; }
    static int Index(const std::array<TLine, 4>& lines) {
        int index = 0;
        for (TLine l : lines) {
            index = index * LineShapeCount + static_cast<int>(l);
        }
        return index;
    }
    // How much Index() moves when the line in this direction moves up by one shape.
    static constexpr int Weight(int direction) {
        int weight = 1;
        for (int d = direction + 1; d < 4; ++d) {
            weight *= LineShapeCount;
        }
        return weight;
    }

private:
    TPatternTables();
    std::array<std::array<TLine, 1 << 16>, 2> LineOf;
    std::array<TSquareShape, LineShapeCount * LineShapeCount * LineShapeCount * LineShapeCount>
        SquareOf;
};

// Line shapes where only exactly five in a row wins: six or more is no five, and a square that
// would make one is no four. They need one more square each side: the key of Line() in bits
// 0..15, the square five below in bits 16..17 and five above in bits 18..19. Built on first use,
// since freestyle never asks.
class TExactLines {
public:
    static const TExactLines& Get();
    static constexpr std::uint32_t KeyCount = 1u << 20;
    TLine Line(std::uint32_t key, int colour) const {
        return LineOf[(colour - 1) * KeyCount + key];
    }

private:
    TExactLines();
    std::vector<TLine> LineOf;
};

// Stone colours, squares, move records and five-square windows shared by every layer.
#pragma once

#include <cstdint>

using TStoneColor = std::uint8_t;

constexpr TStoneColor NoStone = 0;
constexpr TStoneColor BlackStone = 1;
constexpr TStoneColor WhiteStone = 2;

constexpr int BoardSize = 19;
constexpr int MaxMoves = BoardSize * BoardSize;
constexpr int CentreSquare = 10;
constexpr int DirectionCount = 4;
constexpr int WindowLength = 5;
constexpr int WindowTotal = 1020;

inline constexpr TStoneColor Opponent(TStoneColor c) {
    return c == BlackStone ? WhiteStone : BlackStone;
}

inline constexpr bool OnBoard(int X, int Y) {
    return X >= 1 && X <= BoardSize && Y >= 1 && Y <= BoardSize;
}

struct TMoveRecord {
    TStoneColor Color = NoStone;
    std::int32_t X = 0;
    std::int32_t Y = 0;
    // The three bytes after the colour in a saved game; kept so that a loaded game saves back
    // unchanged.
    std::uint8_t Fill[3] = {};
};

inline constexpr bool IsStoneColor(TStoneColor c) {
    return c == BlackStone || c == WhiteStone;
}

// A run of five squares: direction 0 along a row, 1 towards lower right, 2 along a column,
// 3 towards lower left, named by its first square.
struct TWindow {
    int Direction;
    int X;
    int Y;
};

struct TStep {
    int DX;
    int DY;
};

inline constexpr TStep DirectionStep[DirectionCount] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}};

// Whether a window of this direction may start on (X, Y), that is whether all five squares are on
// the board.
inline constexpr bool WindowStartValid(int Direction, int X, int Y) {
    const TStep s = DirectionStep[Direction];
    return OnBoard(X, Y) && OnBoard(X + s.DX * (WindowLength - 1), Y + s.DY * (WindowLength - 1));
}

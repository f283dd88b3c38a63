// The rules of five-in-a-row over the one game state: placing stones, five and tie, the move list.
#pragma once

#include "core/GameState.h"

#include <utility>
#include <vector>

TStoneColor FirstColor();
void NewBoard();
void MakeMove(int X, int Y);
void ReplayMove(int X, int Y, TStoneColor c);
void RebuildPosition(std::int32_t N);
bool IsGameOver();
void ShowGameResult();
// The position is a tie: no five can be made any more (read without marking the game finished).
bool IsTie();

// The windows through one square, at most 20.
struct TSquareWindows {
    int Count = 0;
    TWindow Windows[DirectionCount * WindowLength] = {};
};

// Windows through every square, worked out once: a move looks them up instead of testing starts.
struct TWindowTable {
    TSquareWindows Through[BoardSize + 1][BoardSize + 1];

    constexpr TWindowTable() {
        for (int X = 1; X <= BoardSize; ++X) {
            for (int Y = 1; Y <= BoardSize; ++Y) {
                TSquareWindows& list = Through[X][Y];
                for (int d = 0; d < DirectionCount; ++d) {
                    for (int k = 0; k < WindowLength; ++k) {
                        const int sx = X - DirectionStep[d].DX * k;
                        const int sy = Y - DirectionStep[d].DY * k;
                        if (WindowStartValid(d, sx, sy)) {
                            list.Windows[list.Count++] = TWindow{d, sx, sy};
                        }
                    }
                }
            }
        }
    }
};

inline constexpr TWindowTable WindowTable{};

// Calls f(window) for every window through (X, Y).
template <typename F> void ForEachWindowThrough(int X, int Y, F&& f) {
    const TSquareWindows& list = WindowTable.Through[X][Y];
    for (int i = 0; i < list.Count; ++i) {
        f(list.Windows[i]);
    }
}

// Counts a new stone of c into one window of counts, which has the WindowCount, UntouchedWindows
// and FiveMade of the game state: the inner step of every move, so it is inline.
template <typename Counts>
void CountStoneInto(Counts& counts, const TWindow& window, TStoneColor c) {
    std::uint8_t& count = counts.WindowCount[window.Direction][window.X][window.Y][c];
    ++count;
    if (count == 1) {
        --counts.UntouchedWindows;
    }
    if (count == WindowLength) {
        counts.FiveMade = true;
    }
}

inline void CountStone(const TWindow& window, TStoneColor c) {
    CountStoneInto(Game, window, c);
}

// Whether a window through (X, Y) holds five stones of c.
bool FiveThrough(int X, int Y, TStoneColor c);
// Whether (X, Y) holds a stone of the five that won the game; a longer line or two fives made by
// one stone are marked whole.
bool InWinningFive(int X, int Y);
// The squares of that five, through the latest move; none unless a five was made.
std::vector<std::pair<int, int>> WinningSquares();

// The rules of five-in-a-row over the one game state: placing stones, five and tie, the move list.
#pragma once

#include "core/GameState.h"

TStoneColor FirstColor();
void NewBoard();
void MakeMove(int X, int Y);
void ReplayMove(int X, int Y, TStoneColor c);
void RebuildPosition(std::int32_t N);
bool IsGameOver();
void ShowGameResult();
void CountStone(const TWindow& window, TStoneColor c);

// Calls f(window) for every window through (X, Y); at most 20.
template <typename F> void ForEachWindowThrough(int X, int Y, F&& f) {
    for (int d = 0; d < DirectionCount; ++d) {
        const TStep s = DirectionStep[d];
        for (int k = 0; k < WindowLength; ++k) {
            const int sx = X - s.DX * k;
            const int sy = Y - s.DY * k;
            if (WindowStartValid(d, sx, sy)) {
                f(TWindow{d, sx, sy});
            }
        }
    }
}

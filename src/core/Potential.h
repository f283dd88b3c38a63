// Attack and defence potentials of every square, kept up to date stone by stone.
#pragma once

#include "core/GameState.h"

// The value of a window holding n stones of a colour and none of the other is WindowWeight[n + 1].
inline constexpr std::int32_t WindowWeight[8] = {0, 0, 4, 20, 100, 500, 0, 0};

// Run right after CountStone(window, c) has counted a new stone of c into the window. Only the
// five squares of the window move, so a stone costs at most 100 additions. Inline: it is the
// innermost step of every move.
inline void UpdateWindowPotential(const TWindow& window, TStoneColor c) {
    const TStoneColor o = Opponent(c);
    const auto& counts = Game.WindowCount[window.Direction][window.X][window.Y];
    const int n = counts[c];
    const int k = counts[o];
    TStoneColor colour;
    std::int32_t change;
    if (k == 0) {
        colour = c;
        change = WindowWeight[n + 1] - WindowWeight[n];
    } else if (n == 1) {
        // The first stone of c spoils a window that o had entered.
        colour = o;
        change = -WindowWeight[k + 1];
    } else {
        return;
    }
    const TStep s = DirectionStep[window.Direction];
    for (int m = 0; m < WindowLength; ++m) {
        Game.Potential[window.X + s.DX * m][window.Y + s.DY * m][colour] += change;
    }
}

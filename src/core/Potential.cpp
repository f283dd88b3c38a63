// Incremental upkeep of the potentials: only the five squares of a changed window move.
#include "core/Potential.h"

#include "core/GameState.h"

void UpdateWindowPotential(const TWindow& window, TStoneColor c) {
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

// Reproducible positions for the rule and engine benchmarks.
#pragma once

#include "core/Rules.h"

#include <random>
#include <utility>
#include <vector>

// The squares of a game of `stones` random moves from a fixed seed that never ends the game.
inline std::vector<std::pair<int, int>> QuietGame(int stones, unsigned seed = 12345) {
    std::mt19937 rng(seed);
    ResetGameState();
    NewBoard();
    std::vector<std::pair<int, int>> played;
    while (static_cast<int>(played.size()) < stones) {
        const int x = 1 + static_cast<int>(rng() % BoardSize);
        const int y = 1 + static_cast<int>(rng() % BoardSize);
        if (Game.Board[x][y] != NoStone) {
            continue;
        }
        MakeMove(x, y);
        if (IsGameOver()) { // take it back and look elsewhere
            RebuildPosition(Game.MoveCount - 1);
            Game.GameFinished = false;
            continue;
        }
        played.emplace_back(x, y);
    }
    return played;
}

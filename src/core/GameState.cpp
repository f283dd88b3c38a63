// The program-wide game state and board hooks.
#include "core/GameState.h"

namespace {

TGameState InitialGameState() {
    TGameState g{};
    g.LastMoveX = g.LastMoveY = -1;
    g.PrevMoveX = g.PrevMoveY = -1;
    g.UntouchedWindows = 2 * WindowTotal;
    g.ColorToMove = BlackStone;
    return g;
}

} // namespace

TGameState Game = InitialGameState();
TBoardHooks BoardHooks;

void ResetGameState() {
    Game = InitialGameState();
    BoardHooks = TBoardHooks{};
}

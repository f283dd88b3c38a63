// The one position of the running game, and the hooks through which the rules reach the windows.
#pragma once

#include "core/Types.h"

#include <functional>

struct TGameState {
    TStoneColor Board[BoardSize + 1][BoardSize + 1]; // [X][Y], from 1
    TStoneColor ColorToMove;
    // [direction][start X][start Y][colour]; entries outside a direction's starts stay 0.
    std::uint8_t WindowCount[DirectionCount][BoardSize + 1][BoardSize + 1][3];
    std::int32_t UntouchedWindows;
    bool FiveMade;
    TStoneColor Winner;
    std::int32_t LastMoveX, LastMoveY;
    std::int32_t PrevMoveX, PrevMoveY;
    std::int32_t MoveCount;
    std::int32_t MovesRecorded;
    TMoveRecord Moves[MaxMoves + 1]; // from 1
    bool GameFinished;
    std::int32_t Potential[BoardSize + 1][BoardSize + 1][3]; // [X][Y][colour]
};

extern TGameState Game;

// What the rules ask of the parts that show the game. Each hook may be empty: then it does
// nothing, and FirstColor answers black.
struct TBoardHooks {
    std::function<void(int X, int Y)> RepaintSquare;
    std::function<void(int MoveCount)> ShowMovesDone;
    std::function<void()> ShowReport;    // the modal game-over report
    std::function<void()> ResetGameFlow; // displays, clock and counters of a new game
    std::function<void()> EndAutoPlay;   // the game is over: auto play stops
    std::function<TStoneColor()> FirstColor;
    // The game's rule, when it is not the written one: whether the stone of c just placed on
    // (X, Y) wins, and whether the position is a tie. Empty: a five or more in any window wins,
    // and the game is a tie once every window holds both colours.
    std::function<bool(int X, int Y, TStoneColor c)> JudgeWin;
    std::function<bool()> JudgeTie;
};

extern TBoardHooks BoardHooks;

// Brings the game state and the hooks back to how the program starts; for tests.
void ResetGameState();

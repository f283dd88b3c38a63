// Placing stones with full bookkeeping, five and tie detection, and rebuilding from the move list.
#include "core/Rules.h"

#include "core/Potential.h"
#include "core/Random.h"

#include <cassert>
#include <cstring>

namespace {

void Repaint(int X, int Y) {
    if (BoardHooks.RepaintSquare) {
        BoardHooks.RepaintSquare(X, Y);
    }
}

void ClearPosition() {
    std::memset(Game.Board, 0, sizeof Game.Board);
    std::memset(Game.WindowCount, 0, sizeof Game.WindowCount);
    std::memset(Game.Potential, 0, sizeof Game.Potential);
}

// Steps 1 to 3 of a move: count the stone into its windows, update potentials, place it.
void PlaceStone(int X, int Y, TStoneColor c) {
    assert(OnBoard(X, Y) && Game.Board[X][Y] == NoStone);
    Game.FiveMade = false;
    ForEachWindowThrough(X, Y, [c](const TWindow& w) {
        CountStone(w, c);
        UpdateWindowPotential(w, c);
    });
    Game.Board[X][Y] = c;
    if (BoardHooks.JudgeWin) {
        Game.FiveMade = BoardHooks.JudgeWin(X, Y, c);
    }
    if (Game.FiveMade) {
        Game.Winner = c;
    }
}

void SetLastMove(int X, int Y) {
    Game.PrevMoveX = Game.LastMoveX;
    Game.PrevMoveY = Game.LastMoveY;
    Game.LastMoveX = X;
    Game.LastMoveY = Y;
}

} // namespace

TStoneColor FirstColor() {
    return BoardHooks.FirstColor ? BoardHooks.FirstColor() : BlackStone;
}

void NewBoard() {
    RandomizeFromTimeOfDay();
    Game.LastMoveX = Game.LastMoveY = -1;
    Game.MoveCount = 0;
    Game.MovesRecorded = 0;
    if (BoardHooks.ResetGameFlow) {
        BoardHooks.ResetGameFlow();
    }
    ClearPosition();
    Game.ColorToMove = FirstColor();
    Game.UntouchedWindows = 2 * WindowTotal;
    Game.FiveMade = false;
}

void MakeMove(int X, int Y) {
    const TStoneColor c = Game.ColorToMove;
    PlaceStone(X, Y, c);
    SetLastMove(X, Y);
    Repaint(Game.PrevMoveX, Game.PrevMoveY);
    Repaint(X, Y);
    ++Game.MoveCount;
    assert(Game.MoveCount <= MaxMoves);
    // A move after an undo abandons the moves that could have been redone.
    Game.MovesRecorded = Game.MoveCount;
    if (BoardHooks.ShowMovesDone) {
        BoardHooks.ShowMovesDone(Game.MoveCount);
    }
    ShowGameResult();
    Game.Moves[Game.MoveCount] = TMoveRecord{c, X, Y};
    Game.ColorToMove = Opponent(c);
}

void ReplayMove(int X, int Y, TStoneColor c) {
    PlaceStone(X, Y, c);
    SetLastMove(X, Y);
    ++Game.MoveCount;
}

void RebuildPosition(std::int32_t N) {
    assert(N <= MaxMoves);
    ClearPosition();
    const int oldX = Game.LastMoveX;
    const int oldY = Game.LastMoveY;
    Game.ColorToMove = Game.Moves[1].Color;
    Game.UntouchedWindows = 2 * WindowTotal;
    Game.FiveMade = false;
    Game.MoveCount = 0;
    if (N < 1) {
        Game.LastMoveX = Game.LastMoveY = -1;
        for (int X = 1; X <= BoardSize; ++X) {
            for (int Y = 1; Y <= BoardSize; ++Y) {
                Repaint(X, Y);
            }
        }
    } else {
        for (int i = 1; i <= N; ++i) {
            const TMoveRecord& m = Game.Moves[i];
            ReplayMove(m.X, m.Y, m.Color);
        }
        Game.ColorToMove = Opponent(Game.Moves[N].Color);
    }
    Repaint(oldX, oldY);
    Repaint(Game.LastMoveX, Game.LastMoveY);
}

namespace {

bool IsFiveOf(const TWindow& w, TStoneColor c) {
    return Game.WindowCount[w.Direction][w.X][w.Y][c] == WindowLength;
}

bool IsWinningWindow(const TWindow& w) {
    return IsFiveOf(w, Game.Winner);
}

} // namespace

bool FiveThrough(int X, int Y, TStoneColor c) {
    bool found = false;
    ForEachWindowThrough(X, Y, [&](const TWindow& w) { found = found || IsFiveOf(w, c); });
    return found;
}

bool InWinningFive(int X, int Y) {
    if (!Game.FiveMade || !OnBoard(X, Y) || Game.Board[X][Y] != Game.Winner) {
        return false;
    }
    return FiveThrough(X, Y, Game.Winner);
}

std::vector<std::pair<int, int>> WinningSquares() {
    std::vector<std::pair<int, int>> squares;
    if (!Game.FiveMade || !OnBoard(Game.LastMoveX, Game.LastMoveY)) {
        return squares;
    }
    ForEachWindowThrough(Game.LastMoveX, Game.LastMoveY, [&](const TWindow& w) {
        if (IsWinningWindow(w)) {
            const TStep s = DirectionStep[w.Direction];
            for (int m = 0; m < WindowLength; ++m) {
                squares.emplace_back(w.X + s.DX * m, w.Y + s.DY * m);
            }
        }
    });
    return squares;
}

bool IsTie() {
    return BoardHooks.JudgeTie ? BoardHooks.JudgeTie() : Game.UntouchedWindows <= 0;
}

bool IsGameOver() {
    const bool over = Game.FiveMade || IsTie();
    if (over) {
        Game.GameFinished = true;
    }
    return over;
}

void ShowGameResult() {
    if (Game.FiveMade && BoardHooks.ShowReport) {
        BoardHooks.ShowReport();
    }
    if (IsGameOver()) {
        if (BoardHooks.EndAutoPlay) {
            BoardHooks.EndAutoPlay();
        }
        if (!Game.FiveMade && BoardHooks.ShowReport) {
            BoardHooks.ShowReport();
        }
    }
}

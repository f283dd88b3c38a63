// Undo, Redo and Replay over the move list.
#include "game/MoveHistory.h"

#include "core/LiveSettings.h"
#include "core/Rules.h"
#include "game/ComputerTurn.h"
#include "game/DialogOptions.h"
#include "game/EventPump.h"
#include "game/GameFlow.h"
#include "game/GameReport.h"
#include "game/MainView.h"
#include "game/Opening.h"
#include "game/Sides.h"
#include "game/SpeedPause.h"

namespace {

int ReplayDepth = 0; // replays running, counting one started inside another's pumping
int ReplayStops = 0; // raised by StopReplays; a replay that sees it change ends

// Against the computer a step takes two moves. Who moved first decides whether the computer's
// lone opening stone may go: never, so that the human always has a move of their own to take back.
bool UndoAllowed() {
    if (!DialogOptions().HumanComputer()) {
        return Game.MoveCount > 0;
    }
    const QString caption = DialogOptions().WhoMovesFirstCaption();
    const QChar first = caption.isEmpty() ? QChar() : caption.front();
    return (first == QLatin1Char('1') && Game.MoveCount > 0) ||
           (first == QLatin1Char('2') && Game.MoveCount > 1);
}

// Undo and Redo may take back a finishing move; the board opens again when the rebuilt position is
// still in play. A replay keeps the board closed whatever its intermediate positions are.
void ReopenBoardIfInPlay() {
    if (ReplayDepth == 0) {
        Game.GameFinished = false;
        IsGameOver();
    }
}

// After the step the computer is asked when the colour to move is its own: a step may end on the
// computer's turn when a question was waiting for it, or Switch Sides moved the colours.
void FinishHistoryStep(const std::vector<std::pair<int, int>>& wonBefore) {
    OpeningFollowsPosition();
    ReopenBoardIfInPlay();
    ShowWinChange(wonBefore);
    MainView().ShowMovesDone(Game.MoveCount);
    if (ComputerHoldsColorToMove() && !ComputerThinking()) {
        AskComputerMove();
    }
}

void ReplayStep(int i) {
    const int oldX = Game.LastMoveX;
    const int oldY = Game.LastMoveY;
    RebuildPosition(i);
    MainView().RepaintSquare(oldX, oldY);
    MainView().RepaintSquare(Game.LastMoveX, Game.LastMoveY);
    MainView().ShowMovesDone(Game.MoveCount);
}

} // namespace

void Undo1Click() {
    const auto won = WinningSquares();
    if (UndoOpeningStone()) {
        // taken back within the opening, a person's stone at a time
    } else if (ComputerThinking()) {
        // The last move has no answer yet: it alone is taken back, with the question about it.
        if (Game.MoveCount > 0) {
            CancelComputerMove();
            RebuildPosition(Game.MoveCount - 1);
            CountUse(Play.UndoUsedCount);
        }
    } else if (UndoAllowed()) {
        CancelComputerMove();
        RebuildPosition(Game.MoveCount - 1);
        CountUse(Play.UndoUsedCount);
        if (DialogOptions().HumanComputer() && Game.MoveCount > 0) {
            RebuildPosition(Game.MoveCount - 1);
        }
    }
    FinishHistoryStep(won);
}

void Redo1Click() {
    const auto won = WinningSquares();
    // The choices that were taken back with their stones are not recorded: the opening is played
    // again rather than redone.
    if (Game.MoveCount < Game.MovesRecorded && OpeningStep() == TOpeningStep::Over) {
        CancelComputerMove();
        RebuildPosition(Game.MoveCount + 1);
        CountUse(Play.UndoUsedCount);
        if (DialogOptions().HumanComputer() && Game.MoveCount < Game.MovesRecorded) {
            RebuildPosition(Game.MoveCount + 1);
        }
    }
    FinishHistoryStep(won);
}

void Replay1Click() {
    MainView().ClearStatusText();
    if (!IsGameOver()) {
        return;
    }
    const int total = Game.MoveCount;
    const int stops = ReplayStops;
    ++ReplayDepth;
    const auto running = [&] { return !Play.Closing && Game.GameFinished && ReplayStops == stops; };
    for (int i = 1; i <= total && running();) {
        PumpEvents();
        if (i == 1) {
            // The reset of New Game, without the computer's opening stone, and the board kept
            // closed to clicks.
            ResetForNewGame();
            Game.GameFinished = true;
        }
        if (!running()) {
            break;
        }
        ReplayStep(i);
        ++i;
        PauseForSpeed(Live.ReplaySpeed);
        if (ReplayStops != stops) {
            break;
        }
        ShowGameResult();
    }
    --ReplayDepth;
}

bool ReplayRunning() {
    return ReplayDepth > 0;
}

void StopReplays() {
    ++ReplayStops;
}

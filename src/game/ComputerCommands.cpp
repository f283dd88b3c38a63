// Auto Play, Switch Sides and Hint.
#include "game/ComputerCommands.h"

#include "core/LiveSettings.h"
#include "core/Rules.h"
#include "engine/Choice.h"
#include "game/ComputerTurn.h"
#include "game/EventPump.h"
#include "game/GameFlow.h"
#include "game/MainView.h"
#include "game/MoveHistory.h"
#include "game/Opening.h"
#include "game/Ports.h"
#include "game/Sides.h"
#include "game/SpeedPause.h"

namespace {

// Whatever ran during the pumping may have started or loaded another game, or closed the window:
// each flag is read again before the step goes on.
bool AutoPlayGoesOn() {
    return !IsGameOver() && Play.AutoPlaying && !Play.Closing;
}

void AutoPlayStep() {
    PumpEvents();
    PauseForSpeed(Live.AutoPlaySpeed);
    if (IsGameOver()) {
        return;
    }
    if (Play.AutoPlaying) {
        AskComputerMove();
        WaitForComputerMove();
    }
    MainView().EnableCommand(TCommand::Undo, false);
    MainView().EnableCommand(TCommand::Redo, false);
    PumpEvents();
}

} // namespace

void AutoPlay1Click() {
    MainView().ClearStatusText();
    if (!IsGameOver() && !Ports().Confirm(CancelGameQuestion)) {
        return;
    }
    StopReplays();
    NewGame1Click(false);
    Play.AutoPlaying = true;
    while (AutoPlayGoesOn()) {
        AutoPlayStep();
    }
    Play.AutoPlaying = false;
}

void SwitchSides1Click() {
    // In a swap opening the colours are the choice's to give.
    if ((ReplayRunning() && Game.GameFinished) || CommandRefused(TCommand::SwitchSides) ||
        OpeningStep() != TOpeningStep::Over) {
        return;
    }
    Play.SidesSwitched = true;
    SwitchHumanSide();
    AskComputerMove();
}

void Hint1Click() {
    if (CommandRefused(TCommand::Hint)) {
        return;
    }
    if (!IsGameOver() && !Play.AutoPlaying) {
        CountUse(Play.HintsUsedCount);
        MainView().EnableCommand(TCommand::Hint, false);
        std::uint8_t X = 0, Y = 0;
        WithPlayedBoardPotentials([&] { BestSquare(X, Y, SquareOpen); });
        MainView().FlashHintSquare(X, Y);
    }
    MainView().EnableCommand(TCommand::Hint, true);
}

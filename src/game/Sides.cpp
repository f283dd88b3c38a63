// The human's colour against the computer follows the game, not the options, once play moved it.
#include "game/Sides.h"

#include "core/Rules.h"
#include "game/DialogOptions.h"
#include "game/MainView.h"
#include "game/PlayRecord.h"

namespace {

TStoneColor OptionsFirstPlayerStone() {
    return DialogOptions().WhitePlayerDown() ? WhiteStone : BlackStone;
}

} // namespace

TStoneColor FirstPlayerStone() {
    if (DialogOptions().HumanComputer() && IsStoneColor(Play.HumanStone)) {
        return Play.HumanStone;
    }
    return OptionsFirstPlayerStone();
}

QString HolderName(TStoneColor c) {
    const TDialogOptions& o = DialogOptions();
    return c == FirstPlayerStone() ? o.FirstPlayerLabel() : o.SecondPlayerLabel();
}

bool ComputerHoldsColorToMove() {
    return DialogOptions().HumanComputer() && !IsGameOver() && !Game.GameFinished &&
           !Play.AutoPlaying && Game.ColorToMove != FirstPlayerStone();
}

void ShowPlayerNames() {
    MainView().ShowPlayerNames(HolderName(WhiteStone), HolderName(BlackStone));
}

void TakeSidesFromOptions() {
    Play.HumanStone = OptionsFirstPlayerStone();
    ShowPlayerNames();
}

void SwitchHumanSide() {
    if (DialogOptions().HumanComputer() && !IsGameOver()) {
        Play.HumanStone = Opponent(Game.ColorToMove);
        ShowPlayerNames();
    }
}

void TakeSidesFromLoadedGame() {
    Play.HumanStone = IsGameOver() ? OptionsFirstPlayerStone() : Game.ColorToMove;
    ShowPlayerNames();
}

// The human's colour against the computer follows the game, not the options, once play moved it.
#include "game/Sides.h"

#include "core/Rules.h"
#include "game/DialogOptions.h"
#include "game/MainView.h"
#include "game/Opening.h"
#include "game/PlayRecord.h"

namespace {

TStoneColor OptionsFirstPlayerStone() {
    return DialogOptions().WhitePlayerDown() ? WhiteStone : BlackStone;
}

} // namespace

TStoneColor FirstPlayerStone() {
    // A swap opening's choice decides the colours between two people as well.
    const bool chosen = DialogOptions().HumanComputer() || Play.Rules.Opening != TOpening::None;
    if (chosen && IsStoneColor(Play.HumanStone)) {
        return Play.HumanStone;
    }
    return OptionsFirstPlayerStone();
}

QString HolderName(TStoneColor c) {
    const TDialogOptions& o = DialogOptions();
    if (!o.HumanComputer() && IsStoneColor(c) && !Play.RecordNames[c].isEmpty()) {
        return Play.RecordNames[c];
    }
    return c == FirstPlayerStone() ? o.FirstPlayerLabel() : o.SecondPlayerLabel();
}

bool ComputerHoldsColorToMove() {
    if (!DialogOptions().HumanComputer() || IsGameOver() || Game.GameFinished || Play.AutoPlaying) {
        return false;
    }
    if (OpeningStep() != TOpeningStep::Over) {
        return ComputerTakesOpeningStep();
    }
    return Game.ColorToMove != FirstPlayerStone();
}

void ShowPlayerNames() {
    MainView().ShowPlayerNames(HolderName(WhiteStone), HolderName(BlackStone));
}

void TakeSidesFromOptions() {
    Play.RecordNames = {};
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

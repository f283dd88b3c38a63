// The main window's computer player: made from the options, installed, named and shown thinking.
#include "ui/MainForm.h"

#include "game/ComputerTurn.h"
#include "ui/OptionsForm.h"

#include <QLabel>
#include <utility>

void TMainForm::ApplyComputerPlayer() {
    if (OptionsForm == nullptr) {
        return;
    }
    const TPlayerSetup setup = OptionsForm->ComputerPlayerSetup();
    // The same choice keeps the player while it plays; a player that failed is made afresh
    // only when the user chooses it again (the dialog shows Rennor King in its place till then).
    if (ChosenPlayer != nullptr && setup == ChosenSetup && ChosenPlays()) {
        return;
    }
    // The new player is the chosen one before it is installed; the old one goes after that.
    const std::unique_ptr<TComputerPlayer> previous =
        std::exchange(ChosenPlayer, MakeComputerPlayer(setup));
    ChosenSetup = setup;
    InstallComputerPlayer(ChosenPlayer.get());
}

void TMainForm::ReleaseComputerPlayer() {
    CancelComputerMove();
    const std::unique_ptr<TComputerPlayer> gone = std::move(ChosenPlayer);
    InstallComputerPlayer(nullptr);
}

bool TMainForm::ChosenPlays() const {
    return &ComputerPlayer() == ChosenPlayer.get();
}

void TMainForm::ShowComputerName(const QString& name) {
    if (OptionsForm != nullptr) {
        OptionsForm->SetComputerName(name);
        if (ChosenPlayer != nullptr && !ChosenPlays()) {
            OptionsForm->ComputerPlayerFailed(ChosenSetup);
        }
    }
    ShowPlayerNames();
}

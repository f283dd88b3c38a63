// The main window's computer player: made from the options, installed, named and shown thinking.
#include "ui/MainForm.h"

#include "game/ComputerTurn.h"
#include "ui/OptionsForm.h"

#include <QLabel>

void TMainForm::ApplyComputerPlayer() {
    if (OptionsForm == nullptr) {
        return;
    }
    const TPlayerSetup setup = OptionsForm->ComputerPlayerSetup();
    // The same choice keeps the player, and so Rennor King after an engine failed this run.
    if (ChosenPlayer != nullptr && setup == ChosenSetup) {
        return;
    }
    std::unique_ptr<TComputerPlayer> next = MakeComputerPlayer(setup);
    InstallComputerPlayer(next.get());
    ChosenPlayer = std::move(next);
    ChosenSetup = setup;
}

void TMainForm::ReleaseComputerPlayer() {
    CancelComputerMove();
    InstallComputerPlayer(nullptr);
    ChosenPlayer.reset();
}

void TMainForm::ShowComputerName(const QString& name) {
    if (OptionsForm != nullptr) {
        OptionsForm->SetComputerName(name);
    }
    ShowPlayerNames();
}

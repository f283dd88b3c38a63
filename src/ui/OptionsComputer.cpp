// The options dialog's computer page: the player, the engine program and the time per move.
#include "ui/OptionsForm.h"

#include "game/Ports.h"
#include "players/KingPlayer.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

namespace {

TFileDialogSpec EngineDialogSpec() {
    return {QStringLiteral("Choose an External Engine"), QStringLiteral("Programs|*"), QString()};
}

} // namespace

void TOptionsForm::ConnectComputerPage() {
    for (QRadioButton* radio : {Ctl.KingRadio, Ctl.EmperorRadio, Ctl.ExternalRadio}) {
        connect(radio, &QRadioButton::clicked, this, &TOptionsForm::ComputerChoiceClick);
    }
    connect(Ctl.BrowseEngineBtn, &QPushButton::clicked, this, &TOptionsForm::BrowseEngineClick);
    RefreshComputerControls();
}

TPlayerSetup TOptionsForm::ComputerPlayerSetup() const {
    TPlayerSetup setup;
    setup.Kind = Ctl.EmperorRadio->isChecked()    ? TPlayerKind::Emperor
                 : Ctl.ExternalRadio->isChecked() ? TPlayerKind::External
                                                  : TPlayerKind::King;
    setup.EnginePath = Ctl.EnginePathEdit->text();
    setup.MoveTimeMs = static_cast<int>(std::lround(Ctl.MoveTimeBox->value() * 1000));
    return setup;
}

void TOptionsForm::SetComputerPlayerSetup(const TPlayerSetup& setup) {
    QRadioButton* const radios[] = {Ctl.KingRadio, Ctl.EmperorRadio, Ctl.ExternalRadio};
    radios[static_cast<int>(setup.Kind)]->setChecked(true);
    Ctl.EnginePathEdit->setText(setup.EnginePath);
    Ctl.MoveTimeBox->setValue(MoveTimeWithinLimits(setup.MoveTimeMs) / 1000.0);
    RefreshComputerControls();
}

void TOptionsForm::SetComputerName(const QString& name) {
    ComputerNameText = name;
    if (HumanComputer()) {
        Ctl.SecondPlayerLabel->setText(name);
    }
}

// "External engine..." without a program asks for one; with none chosen, the choice stays.
void TOptionsForm::ComputerChoiceClick() {
    if (Ctl.ExternalRadio->isChecked() && Ctl.EnginePathEdit->text().isEmpty()) {
        BrowseEngineClick();
        if (Ctl.EnginePathEdit->text().isEmpty()) {
            (LastChoice != nullptr ? LastChoice : Ctl.KingRadio)->setChecked(true);
        }
    }
    RefreshComputerControls();
}

void TOptionsForm::BrowseEngineClick() {
    if (const std::optional<QString> program = Ports().AskOpenFileName(EngineDialogSpec())) {
        Ctl.EnginePathEdit->setText(*program);
        Ctl.ExternalRadio->setChecked(true);
    }
    RefreshComputerControls();
}

void TOptionsForm::RefreshComputerControls() {
    for (QRadioButton* radio : {Ctl.KingRadio, Ctl.EmperorRadio, Ctl.ExternalRadio}) {
        if (radio->isChecked()) {
            LastChoice = radio;
        }
    }
    Ctl.MoveTimeBox->setEnabled(!Ctl.KingRadio->isChecked());
    const TGameRules rules = RulesOnPage();
    const bool kingPlays = KingPlays(rules.Rule, rules.Opening, rules.Size);
    const QString note =
        kingPlays ? QStringLiteral("Rennor King always answers at once.")
                  : QStringLiteral("Rennor King plays only freestyle on 19 x 19 without an "
                                   "opening: Rennor Emperor plays these rules in its place.");
    Ctl.KingNote->setText(note);
    Ctl.KingRadio->setAccessibleDescription(note);
}

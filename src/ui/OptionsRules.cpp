// The options dialog's rules page: the rule, the board size and the opening of new games.
#include "ui/OptionsForm.h"

#include "core/Rules.h"
#include "game/Ports.h"

#include <QComboBox>
#include <QRadioButton>
#include <algorithm>

namespace {

constexpr char CancelGameRulesQuestion[] =
    "Do You Wish To Cancel Current Game ?\n\nIf you click 'No' - the rules will not be changed";

} // namespace

void TOptionsForm::ConnectRulesPage() {
    for (QRadioButton* radio : {Ctl.FreestyleRadio, Ctl.StandardRadio, Ctl.RenjuRadio,
                                Ctl.LargeBoardRadio, Ctl.SmallBoardRadio}) {
        connect(radio, &QRadioButton::toggled, this, &TOptionsForm::RefreshComputerControls);
    }
    connect(Ctl.OpeningBox, &QComboBox::currentIndexChanged, this,
            &TOptionsForm::RefreshComputerControls);
}

TGameRules TOptionsForm::RulesOnPage() const {
    TGameRules rules;
    rules.Rule = Ctl.RenjuRadio->isChecked()      ? TRule::Renju
                 : Ctl.StandardRadio->isChecked() ? TRule::Standard
                                                  : TRule::Freestyle;
    rules.Opening = static_cast<TOpening>(std::max(Ctl.OpeningBox->currentIndex(), 0));
    rules.Size = Ctl.SmallBoardRadio->isChecked() ? SmallBoardSize : LargeBoardSize;
    return rules;
}

void TOptionsForm::ShowRulesOnPage(const TGameRules& rules) {
    QRadioButton* const rule = rules.Rule == TRule::Renju      ? Ctl.RenjuRadio
                               : rules.Rule == TRule::Standard ? Ctl.StandardRadio
                                                               : Ctl.FreestyleRadio;
    rule->setChecked(true);
    Ctl.OpeningBox->setCurrentIndex(static_cast<int>(rules.Opening));
    (rules.Size == SmallBoardSize ? Ctl.SmallBoardRadio : Ctl.LargeBoardRadio)->setChecked(true);
}

void TOptionsForm::SetChosenRules(const TGameRules& rules) {
    CommittedRules = rules;
    ShowRulesOnPage(rules);
}

// Other rules make another game: the running one goes only when the user agrees, and nothing is
// asked when there is nothing to lose.
void TOptionsForm::ApplyRulesChoice(bool newGameStarted) {
    const TGameRules chosen = RulesOnPage();
    if (chosen == CommittedRules) {
        return;
    }
    const bool over = Hooks.GameIsOver ? Hooks.GameIsOver() : IsGameOver();
    if (newGameStarted || over || Game.MoveCount == 0 ||
        Ports().Confirm(QLatin1String(CancelGameRulesQuestion))) {
        CommittedRules = chosen;
        StartNewGame();
    } else {
        ShowRulesOnPage(CommittedRules);
    }
}

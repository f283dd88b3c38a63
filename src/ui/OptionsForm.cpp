// The options dialog's life: creation, what others read and set, showing, OK, Cancel and Help.
#include "ui/OptionsForm.h"
#include "ui/OptionsSettings.h"
#include "ui/OptionsTrackBar.h"

#include "core/Rules.h"
#include "game/GameFlow.h"
#include "game/Ports.h"
#include "resources/Fonts.h"
#include "storage/SettingNames.h"
#include "storage/SettingsKey.h"
#include "storage/StorageError.h"
#include "widgets/RxDrawGrid.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>
#include <QToolButton>
#include <QWhatsThis>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr int ClientWidth = 461;
constexpr int ClientHeight = 235;
constexpr int ButtonStripHeight = 34;
constexpr int PageMargin = 5;
constexpr int SpeedMaximum = 9;

struct TPageHelp {
    const char* Page;
    int Context;
};
constexpr TPageHelp PageHelp[] = {{"PlayerSettings", 1111},
                                  {"GeneralSettings", 2222},
                                  {"AIE", 3333},
                                  {"Preferences", 4444},
                                  {"ComputerPlayer", ComputerPlayerHelp},
                                  {"Rules", RulesHelp}};

// A box cuts what it holds to its limit, so a longer name raises the limit to its own length.
void ShowName(QLineEdit* box, const QString& name) {
    box->setMaxLength(std::max(NameMaxLength, static_cast<int>(name.size())));
    box->setText(name);
}

// The nearest integer, an exact half going to the even neighbour.
int RoundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

TOptionsForm::TOptionsForm(TSettingsKey& key, QWidget* parent) : QDialog(parent), Key(key) {
    setObjectName(QStringLiteral("OptionsForm"));
    setWindowTitle(QStringLiteral("Options"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::WindowContextHelpButtonHint);
    setFont(Fonts::Points(Fonts::TFamily::MSSansSerif, 8));
    setFixedSize(ClientWidth, ClientHeight);
    // Modal to the main window only: the help window it opens must stay usable beside it.
    setWindowModality(Qt::WindowModal);

    Ctl.OptionsControl = new QTabWidget(this);
    Ctl.OptionsControl->setObjectName(QStringLiteral("OptionsControl"));
    Ctl.OptionsControl->setGeometry(PageMargin, PageMargin, ClientWidth - 2 * PageMargin,
                                    ClientHeight - ButtonStripHeight - 2 * PageMargin);
    Ctl.Preferences = BuildPreferencesPage();
    Ctl.PlayerSettings = BuildPlayersPage();
    Ctl.GeneralSettings = BuildGeneralPage();
    Ctl.AIE = BuildAIEPage();
    Ctl.ComputerPlayer = BuildComputerPage();
    Ctl.Rules = BuildRulesPage();
    Ctl.OptionsControl->addTab(Ctl.Preferences, QStringLiteral("&Preferences"));
    Ctl.OptionsControl->addTab(Ctl.PlayerSettings, QStringLiteral("&Players"));
    Ctl.OptionsControl->addTab(Ctl.GeneralSettings, QStringLiteral("&General"));
    Ctl.OptionsControl->addTab(Ctl.AIE, QStringLiteral("&A. I. E."));
    Ctl.OptionsControl->addTab(Ctl.ComputerPlayer, QStringLiteral("Comp&uter"));
    Ctl.OptionsControl->addTab(Ctl.Rules, QStringLiteral("&Rules"));
    BuildButtonStrip();
    // Enter presses OK wherever the focus is: no other button becomes the default on focus.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
    }
    ConnectBehaviours();
    HumanComputerClick();
    TrackBarChange();
}

TOptionsForm::~TOptionsForm() = default;

bool TOptionsForm::HumanComputer() const {
    return Ctl.HumanComputer->isChecked();
}

bool TOptionsForm::HumanHuman() const {
    return Ctl.HumanHuman->isChecked();
}

QString TOptionsForm::WhoMovesFirstCaption() const {
    return Ctl.WhoMovesFirst->text();
}

bool TOptionsForm::WhitePlayerDown() const {
    return Ctl.WhitePlayerSpeedButton->isChecked();
}

bool TOptionsForm::BlackPlayerDown() const {
    return Ctl.BlackPlayerSpeedButton->isChecked();
}

bool TOptionsForm::WhiteMasterDown() const {
    return Ctl.WhiteMasterSpeedButton->isChecked();
}

bool TOptionsForm::BlackMasterDown() const {
    return Ctl.BlackMasterSpeedButton->isChecked();
}

QString TOptionsForm::FirstPlayerLabel() const {
    return Ctl.FirstPlayerLabel->text();
}

QString TOptionsForm::SecondPlayerLabel() const {
    return Ctl.SecondPlayerLabel->text();
}

QString TOptionsForm::FirstPlayerText() const {
    return Ctl.FirstPlayerEditBox->text();
}

QString TOptionsForm::SecondPlayerText() const {
    return Ctl.SecondPlayerEditBox->text();
}

bool TOptionsForm::MusicChecked() const {
    return Ctl.MusicCheckBox->isChecked();
}

bool TOptionsForm::SoundChecked() const {
    return Ctl.SoundCheckBox->isChecked();
}

int TOptionsForm::ADPosition() const {
    return Ctl.TrackBar->value();
}

int TOptionsForm::AutoPlayPosition() const {
    return Ctl.AutoPlaytrackBar->value();
}

int TOptionsForm::ReplayPosition() const {
    return Ctl.ReplayTrackBar->value();
}

TColorValue TOptionsForm::PreviewColor() const {
    return PreviewBoardColor;
}

void TOptionsForm::SetMusicChecked(bool on) {
    Ctl.MusicCheckBox->setChecked(on);
}

void TOptionsForm::SetSoundChecked(bool on) {
    Ctl.SoundCheckBox->setChecked(on);
}

void TOptionsForm::SetWhoMovesFirstCaption(const QString& caption) {
    Ctl.WhoMovesFirst->setText(caption);
}

void TOptionsForm::SetFirstPlayerText(const QString& name) {
    ShowName(Ctl.FirstPlayerEditBox, name);
    RefreshFirstLabel();
}

void TOptionsForm::SetSecondPlayerText(const QString& name) {
    ShowName(Ctl.SecondPlayerEditBox, name);
    RefreshSecondLabel();
}

void TOptionsForm::SetHumanHuman(bool humanHuman) {
    if (humanHuman) {
        Ctl.HumanHuman->setChecked(true);
        HumanHumanClick();
    } else {
        Ctl.HumanComputer->setChecked(true);
        HumanComputerClick();
    }
}

void TOptionsForm::SetFirstPlayerWhite(bool white) {
    // The coupling presses the second player's opposite stone.
    (white ? Ctl.WhitePlayerSpeedButton : Ctl.BlackPlayerSpeedButton)->setChecked(true);
}

void TOptionsForm::SetADPosition(int position) {
    Ctl.TrackBar->setValue(std::clamp(position, 0, 2 * ADFactorOffset));
    TrackBarChange();
}

void TOptionsForm::SetRandomness(int randomness) {
    if (QAbstractButton* button = Ctl.RandomGroup->button(randomness - 1);
        button != nullptr && button != Ctl.SpeedButton12) {
        RandClick(button);
    }
}

void TOptionsForm::SetAutoPlayPosition(int position) {
    Ctl.AutoPlaytrackBar->setValue(std::clamp(position, 0, SpeedMaximum));
    Live.AutoPlaySpeed = Ctl.AutoPlaytrackBar->value();
}

void TOptionsForm::SetReplayPosition(int position) {
    Ctl.ReplayTrackBar->setValue(std::clamp(position, 0, SpeedMaximum));
    Live.ReplaySpeed = Ctl.ReplayTrackBar->value();
}

void TOptionsForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    CentreOnScreen();
    FormActivate();
    Ctl.OKBtn->setFocus();
}

void TOptionsForm::keyPressEvent(QKeyEvent* event) {
    // Escape presses Cancel, so that its handler runs as for a click.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Ctl.CancelBtn->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TOptionsForm::eventFilter(QObject* watched, QEvent* event) {
    // In the title bar's help mode a click on a control asks for its topic.
    const bool asks = event->type() == QEvent::WhatsThis || event->type() == QEvent::QueryWhatsThis;
    auto* control = qobject_cast<QWidget*>(watched);
    if (!asks || control == nullptr || !Hooks.ShowHelpPopup) {
        return QDialog::eventFilter(watched, event);
    }
    if (event->type() == QEvent::WhatsThis) {
        QWhatsThis::leaveWhatsThisMode();
        Hooks.ShowHelpPopup(control->property("helpContext").toInt(),
                            control->mapToGlobal(QPoint(0, control->height())));
    }
    event->accept();
    return true;
}

void TOptionsForm::CentreOnScreen() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QSize outer = frameGeometry().size();
    const QRect area = screen->geometry();
    move(area.left() + RoundHalfEven(area.width() * 0.5) - RoundHalfEven(outer.width() * 0.5),
         area.top() + RoundHalfEven(area.height() * 0.5) - RoundHalfEven(outer.height() * 0.5));
}

void TOptionsForm::FormActivate() {
    TrackBarChange();
    CancelBtnClick();
    ReportingStoreErrors([this] { LoadSettings(*this, Key); });
}

void TOptionsForm::OKBtnClick() {
    accept();
    Live.BoardColor = PreviewBoardColor;
    Live.HintColor = Live.PendingHintColor;
    Live.LastMoveColor = Live.PendingLastMoveColor;
    Live.Randomness = Live.PendingRandomness;
    ReportingStoreErrors([this] {
        ApplyRulesChoice(ApplyGameModeChoice());
        // Options the store cannot take still hold for this run: they are applied first, and the
        // warning that they will not be remembered comes after.
        std::optional<EStorageError> unsaved;
        try {
            SaveSettings(*this, Key);
        } catch (const EStorageError& error) {
            unsaved = error;
        }
        if (Hooks.ApplySettings) {
            Hooks.ApplySettings();
        }
        if (unsaved) {
            throw *unsaved;
        }
    });
}

bool TOptionsForm::ApplyGameModeChoice() {
    const bool stored = Key.ReadBool(SettingHumanVsHuman, DefaultHumanVsHuman);
    if (stored == HumanHuman()) {
        return false;
    }
    const bool over = Hooks.GameIsOver ? Hooks.GameIsOver() : IsGameOver();
    if (over) {
        return false;
    }
    if (Ports().Confirm(QLatin1String(CancelGameModeQuestion))) {
        StartNewGame();
        return true;
    }
    SetHumanHuman(stored);
    return false;
}

void TOptionsForm::StartNewGame() {
    Hooks.NewGame ? Hooks.NewGame() : void(NewGame1Click(false));
}

void TOptionsForm::CancelBtnClick() {
    SetPreviewColor(Live.BoardColor);
    Live.PendingHintColor = Live.HintColor;
    Live.PendingLastMoveColor = Live.LastMoveColor;
    Live.PendingRandomness = Live.Randomness;
}

void TOptionsForm::HelpBtnClick() {
    const QString shown = Ctl.OptionsControl->currentWidget()->objectName();
    for (const TPageHelp& help : PageHelp) {
        if (shown == QLatin1String(help.Page) && Hooks.ShowHelp) {
            Hooks.ShowHelp(help.Context);
        }
    }
}

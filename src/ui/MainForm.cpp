// The main window: creation, the first activation, settings applied, and the commands it wires.
#include "ui/MainForm.h"

#include "core/GameState.h"
#include "core/Rules.h"
#include "game/ComputerCommands.h"
#include "game/ComputerTurn.h"
#include "game/EventPump.h"
#include "game/GameFiles.h"
#include "game/GameFlow.h"
#include "game/MoveHistory.h"
#include "game/PlayRecord.h"
#include "game/Ports.h"
#include "game/Sides.h"
#include "game/StoredOptions.h"
#include "players/Analyser.h"
#include "sound/GameSounds.h"
#include "sound/MediaPlayer.h"
#include "storage/SettingNames.h"
#include "storage/SettingsKey.h"
#include "storage/StorageError.h"
#include "timing/SuperTimer.h"
#include "ui/BoardPainter.h"
#include "ui/BoardSpeech.h"
#include "ui/MainHints.h"
#include "ui/MainPorts.h"
#include "ui/OptionsForm.h"
#include "ui/OptionsSettings.h"
#include "widgets/Digits.h"
#include "widgets/RXCtrls.h"
#include "widgets/RxDrawGrid.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <cmath>

TMainForm* MainForm = nullptr;

namespace {

constexpr int TaskBarRoom = 30;

int HalfRounded(int length) {
    return static_cast<int>(std::nearbyint(length * 0.5));
}

// The room of a name in its box. A name a little too long, such as "Rennor Emperor", is drawn a
// little smaller; a longer one, such as an engine's, is cut short with an ellipsis at a size
// still easy to read, and given whole in its tool tip and to screen readers.
constexpr int NameRoom = 131;
constexpr double SmallestNamePoints = 10;

QFont NameFont(const QLabel* label, const QString& caption) {
    QFont font = label->font();
    font.setPointSizeF(label->property("writtenPoints").toDouble());
    while (QFontMetrics(font).horizontalAdvance(caption) > NameRoom &&
           font.pointSizeF() > SmallestNamePoints) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    return font;
}

void SetCaptionIfChanged(QLabel* label, const QString& caption) {
    if (label->accessibleName() == caption) {
        return;
    }
    if (!label->property("writtenPoints").isValid()) {
        label->setProperty("writtenPoints", label->font().pointSizeF());
    }
    label->setFont(NameFont(label, caption));
    const QString shown = label->fontMetrics().elidedText(caption, Qt::ElideRight, NameRoom);
    label->setText(shown);
    label->setToolTip(shown == caption ? QString() : caption);
    label->setAccessibleName(caption);
    label->adjustSize();
}

} // namespace

bool ColorDepthSufficient() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || screen->depth() >= 8) {
        return true;
    }
    QApplication::beep();
    ShowStopBox(nullptr, QStringLiteral("Error"),
                QStringLiteral("Color palette MUST be at least 256 colors !\n"
                               "Please change it and Run RENNOR Again."));
    return false;
}

QPoint MainWindowPosition(const QSize& screen, const QSize& outer) {
    const int left = HalfRounded(screen.width()) - HalfRounded(outer.width());
    const int top = HalfRounded(screen.height() - TaskBarRoom) - HalfRounded(outer.height());
    return {left, std::max(top, 0)};
}

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint) {
    MainForm = this;
    GameEnables.fill(true);
    setWindowTitle(QStringLiteral("Rennor"));
    SettingsKey = std::make_unique<TSettingsKey>();
    BuildMenus();
    BuildAnalysis();
    BuildPopupMenu();
    BuildHelp();
    BuildControls();
    BuildTimers();
    LoadArtwork();
    setFixedSize(centralWidget()->width(),
                 centralWidget()->height() + menuBar()->sizeHint().height());
    HintHook = std::make_unique<TStatusHintHook>(StatusBar);

    Ports = std::make_unique<TMainPorts>(this);
    InstallPorts(Ports.get());
    InstallMainView(this);
    InstallGameFlow();
    StoredOptionReaders.HumanHuman = [this] {
        return SettingsKey->ReadBool(SettingHumanVsHuman, DefaultHumanVsHuman);
    };
    StoredOptionReaders.WhoIsFirst = [this] {
        return SettingsKey->ReadString(SettingWhoIsFirst, QString(FirstPlayerIsFirst));
    };
}

TMainForm::~TMainForm() {
    AnalysisWorker.reset(); // its reports come to this window
    ReleaseTimers();
    // The board may lose the focus while the window's parts go, and must not draw into them then.
    if (CellGrid != nullptr) {
        CellGrid->SetOnDrawCell(nullptr);
    }
    StoredOptionReaders = {};
    LoadHooks = {};
    InstallDialogOptions(nullptr);
    InstallMainView(nullptr);
    ReleaseComputerPlayer(); // the options dialog may be gone: nothing more is shown
    InstallPorts(nullptr);
    BoardHooks = TBoardHooks{};
    if (MainForm == this) {
        MainForm = nullptr;
    }
}

TSettingsKey& TMainForm::Key() {
    return *SettingsKey;
}

void TMainForm::SetOptionsForm(TOptionsForm* options) {
    OptionsForm = options;
    InstallDialogOptions(options);
    TOptionsHooks& hooks = options->Hooks;
    hooks.GameIsOver = [] { return IsGameOver(); };
    hooks.NewGame = [this] { Guarded([] { ::NewGame1Click(false); }); };
    hooks.ApplySettings = [this] { ApplySettings(); };
    LoadHooks.StoreHumanHuman = [this](bool humanHuman) {
        SettingsKey->WriteBool(SettingHumanVsHuman, humanHuman);
    };
    LoadHooks.StoreRules = [this](const TGameRules& rules) { WriteRules(*SettingsKey, rules); };
    LoadHooks.ReloadOptions = [options] { options->FormActivate(); };
    LoadHooks.ApplySettings = [this] { ApplySettings(); };
    hooks.SwitchMusic = [this](bool on) { SwitchMusic(on); };
    // The options name the players by the colours they chose; the game knows who holds which.
    hooks.ShowMainNames = [](const QString&, const QString&) { ::ShowPlayerNames(); };
    ConnectHelp(hooks);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!StartedUp) {
        // Told when the window system stops showing the window or shows it again (SetSeen).
        windowHandle()->installEventFilter(this);
        FormActivate();
    }
    ScheduleAnalysis();
}

void TMainForm::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    ScheduleAnalysis(); // nobody sees the analysis now: it rests
}

void TMainForm::FormActivate() {
    StartedUp = true;
    CentreWindow();
    if (OptionsForm != nullptr) {
        ReportingStoreErrors([this] { LoadSettings(*OptionsForm, *SettingsKey); });
    }
    ApplySettings();
    SetBoardColor(Live.BoardColor);
    Guarded([] { ::NewGame1Click(false); });
    PumpEvents();
    CellGrid->show();
    CellGrid->setFocus();
    RegisterCursors();
    if (OptionsForm != nullptr && OptionsForm->MusicChecked()) {
        SwitchMusic(true);
    }
}

void TMainForm::CentreWindow() {
    if (const QScreen* screen = this->screen()) {
        QSize outer = frameGeometry().size();
        if (outer.isEmpty()) {
            outer = size();
        }
        move(MainWindowPosition(screen->geometry().size(), outer));
    }
}

void TMainForm::SwitchMusic(bool on) {
    try {
        if (on) {
            StartMusic(*MediaPlayer2);
        } else {
            StopMusic(*MediaPlayer2);
        }
    } catch (const std::exception&) {
        // No music is no error: the game plays on in silence.
    }
}

void TMainForm::ShowPlayerNames() {
    if (OptionsForm != nullptr) {
        ::ShowPlayerNames();
    }
}

void TMainForm::ApplySettings() {
    ApplyComputerPlayer();
    ShowPlayerNames();
    if (ValueFromColor(CellGrid->FixedColor()) != Live.BoardColor) {
        SetBoardColor(Live.BoardColor);
        CellGrid->Invalidate();
        CellGrid->repaint();
    }
    if (Live.LastMoveColorChanged) {
        RepaintSquare(Game.LastMoveX, Game.LastMoveY);
    }
}

void TMainForm::Guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const EStorageError& error) {
        ::Ports().ShowError(error.Text());
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery()) {
        event->accept();
    } else {
        event->ignore();
    }
}

// TMainView

void TMainForm::ShowMovesDone(int moveCount) {
    // A finished game stopped it; the stone to move blinks again, where it is seen.
    BlinkTimer->SetEnabled(Seen);
    const int shown = MovesDone->Value();
    MovesDone->SetValue(moveCount);
    // Every move, the computer's included, passes here: the one place to tell it.
    if (moveCount != shown) {
        CellGrid->Announce(
            MovesNews(shown, moveCount, MainName1->accessibleName(), MainName2->accessibleName()));
    }
    // The squares forbidden to black change with every move, and are painted once it is through.
    if (Play.Rules.Rule == TRule::Renju) {
        CellGrid->Invalidate();
        CellGrid->update();
    }
    ScheduleAnalysis();
}

void TMainForm::ShowTimeElapsed(double days) {
    TimeElapsed->SetDateTime(days);
}

double TMainForm::ElapsedShown() const {
    return TimeElapsed->DateTime();
}

QAction* TMainForm::CommandItem(TCommand command) const {
    switch (command) {
    case TCommand::Undo:
        return Menu.Undo1;
    case TCommand::Redo:
        return Menu.Redo1;
    case TCommand::AutoPlay:
        return Menu.AutoPlay1;
    case TCommand::Replay:
        return Menu.Replay1;
    case TCommand::Hint:
        return Menu.Hint1;
    case TCommand::SwitchSides:
        return Menu.SwitchSides1;
    case TCommand::Save:
        return Menu.SaveGame1;
    }
    return nullptr;
}

void TMainForm::ShowCommandState(TCommand command) {
    const bool enabled = GameEnables[static_cast<std::size_t>(command)] &&
                         !(Thinking && RefusedWhileThinking(command));
    CommandItem(command)->setEnabled(enabled);
    if (command == TCommand::Save) {
        SaveGameButton->setEnabled(enabled);
    }
}

void TMainForm::EnableCommand(TCommand command, bool enabled) {
    GameEnables[static_cast<std::size_t>(command)] = enabled;
    ShowCommandState(command);
}

bool TMainForm::CommandEnabled(TCommand command) const {
    return CommandItem(command)->isEnabled();
}

void TMainForm::ClearStatusText() {
    HintHook->Show({});
}

void TMainForm::ShowStatusText(const QString& text) {
    HintHook->Show(text);
}

void TMainForm::ShowThinking(const QString& text) {
    HintHook->Hold(text);
    Thinking = !text.isEmpty();
    for (int c = 0; c < CommandCount; ++c) {
        ShowCommandState(TCommand(c));
    }
    ScheduleAnalysis();
}

void TMainForm::ShowPlayerNames(const QString& white, const QString& black) {
    SetCaptionIfChanged(MainName1, white);
    SetCaptionIfChanged(MainName2, black);
}

// Commands

void TMainForm::NewGame1Click() {
    Guarded([] { ::NewGame1Click(true); });
}

void TMainForm::LoadGame1Click() {
    Guarded([] { ::LoadGame1Click(); });
}

void TMainForm::SaveGame1Click() {
    Guarded([] { ::SaveGame1Click(); });
}

void TMainForm::AutoPlay1Click() {
    Guarded([] { ::AutoPlay1Click(); });
}

void TMainForm::Replay1Click() {
    Guarded([] { ::Replay1Click(); });
}

void TMainForm::SwitchSides1Click() {
    Guarded([] { ::SwitchSides1Click(); });
}

void TMainForm::Hint1Click() {
    Guarded([] { ::Hint1Click(); });
}

void TMainForm::Undo1Click() {
    Guarded([] { ::Undo1Click(); });
}

void TMainForm::Redo1Click() {
    Guarded([] { ::Redo1Click(); });
}

void TMainForm::Options1Click() {
    if (OptionsForm != nullptr) {
        OptionsForm->exec();
    }
}

void TMainForm::Exit1Click() {
    close();
}

void TMainForm::Timer1Timer() {
    ::Timer1Timer(true);
    // The clock shows whole seconds: waking a hundred times a second would change nothing more
    // than waking once, just after the shown time turns.
    Timer1->start(MsUntilNextClockSecond());
}

void TMainForm::CommentTimerTimer() {
    CommentPanel->SetActive(true);
}

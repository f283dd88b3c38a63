// TMainForm: the main window, owner of the board, the displays, the menus and the timers.
#pragma once

#include "core/LiveSettings.h"
#include "game/MainView.h"
#include "players/PlayerSetup.h"

#include <QCursor>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class HelpEngine;
class TAnalyser;
struct TAnalysis;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;
class TDigits;
class TMainPorts;
class TMediaPlayer;
class TOptionsForm;
struct TOptionsHooks;
class TRxDrawGrid;
class TRxTimerEvent;
class TRxTimerList;
class TSecretPanel;
class TSettingsKey;
class TStatusHintHook;
class TSuperTimer;
class TTurnStone;

// The menu items, by their names in the help topics.
struct TMainMenuItems {
    QMenu *Game1 = nullptr, *Edit1 = nullptr, *Help1 = nullptr;
    QAction *NewGame1 = nullptr, *LoadGame1 = nullptr, *SaveGame1 = nullptr, *Options1 = nullptr;
    QAction *AutoPlay1 = nullptr, *Replay1 = nullptr, *SwitchSides1 = nullptr, *Hint1 = nullptr;
    QAction *Analyse1 = nullptr, *Review1 = nullptr; // beyond the written game
    QAction *Exit1 = nullptr, *Undo1 = nullptr, *Redo1 = nullptr;
    QAction *HelpTopics1 = nullptr, *WhatsNew1 = nullptr, *HelpOnHelp1 = nullptr;
    QAction *RennorontheWeb1 = nullptr, *About1 = nullptr;
    QMenu* PopupMenu1 = nullptr; // the board's context menu
    QAction* XYPercent = nullptr;
    QMenu* PopUpMenu2 = nullptr; // the context menu of the options dialog's controls
    QAction* Whatsthis1 = nullptr;
};

class TMainForm : public QMainWindow, public TMainView {
    Q_OBJECT

public:
    // FormCreate: opens the settings key, installs the status-bar hint hook, the ports and the
    // game flow. The options dialog comes later (SetOptionsForm), as at start-up.
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // Hands over the options dialog created after the main window; it lives for the whole run.
    void SetOptionsForm(TOptionsForm* options);
    // The settings key, open from creation until the window is destroyed.
    TSettingsKey& Key();
    TOptionsForm* Options() const { return OptionsForm; }

    // FormActivate, once: centre, settings, the first game, the board shown, cursors, music.
    void FormActivate();
    bool Activated() const { return StartedUp; }

    // Names, board colour and last-move square from the dialog and the live values.
    void ApplySettings();

    // Controls, by the names the game flow and the help topics use.
    TRxDrawGrid* CellGrid = nullptr;
    QFrame* Panel1 = nullptr;
    QToolButton *NewGameButton = nullptr, *LoadGameButton = nullptr;
    QToolButton *SaveGameButton = nullptr, *OptionsButton = nullptr;
    TTurnStone* NoughtImage = nullptr; // white: picture and name
    QLabel* MainName1 = nullptr;
    TTurnStone* CrossImage = nullptr; // black
    QLabel* MainName2 = nullptr;
    QLabel *Image1 = nullptr, *Image2 = nullptr, *TimeElapsedImage = nullptr;
    TDigits *MovesDone = nullptr, *DigitalCoordinates = nullptr, *TimeElapsed = nullptr;
    TSecretPanel* CommentPanel = nullptr;
    QLabel* StatusBar = nullptr;
    TMediaPlayer *MediaPlayer1 = nullptr, *MediaPlayer2 = nullptr;
    QTimer* Timer1 = nullptr;
    TSuperTimer* BlinkTimer = nullptr;
    TRxTimerList* RxTimer = nullptr;
    TRxTimerEvent* CommentTimer = nullptr;
    TMainMenuItems Menu;
    QCursor WhiteCursor, BlackCursor; // screen cursors 1 and 2
    HelpEngine* Help = nullptr;       // the help file's one engine

    // TMainView: what the game flow asks of the window.
    void RepaintSquare(int X, int Y) override;
    void ShowMovesDone(int moveCount) override;
    void ShowTimeElapsed(double days) override;
    double ElapsedShown() const override;
    void EnableCommand(TCommand command, bool enabled) override;
    bool CommandEnabled(TCommand command) const override;
    void ClearStatusText() override;
    void ShowStatusText(const QString& text) override;
    void ShowThinking(const QString& text) override;
    void ShowPlayerNames(const QString& white, const QString& black) override;
    void FlashHintSquare(int X, int Y) override;
    void QuitHelp() override;
    void ShowComputerName(const QString& name) override;
    void ShowBoardSize(int size) override; // BoardView.cpp

    // The handlers.
    void NewGame1Click();
    void LoadGame1Click();
    void SaveGame1Click();
    void Options1Click();
    void AutoPlay1Click();
    void Replay1Click();
    void SwitchSides1Click();
    void Hint1Click();
    void Analyse1Click(); // MainAnalysis.cpp
    void Review1Click();
    void Exit1Click();
    void Undo1Click();
    void Redo1Click();
    void HelpTopics1Click();
    void WhatsNew1Click();
    void HelpOnHelp1Click();
    void RennorontheWeb1Click();
    void About1Click();
    void Whatsthis1Click();
    void PopupMenu1Popup();
    void CellGridMouseDown(Qt::MouseButton button, int x, int y);
    void CellGridMouseUp(Qt::MouseButton button, int x, int y);
    void CellGridMouseMove(int x, int y);
    void Timer1Timer();
    void BlinkTimerTimer();
    void CommentTimerTimer();

    // Emperor's analysis while Analyse is on: its words, and its line on the board (a number
    // from 1 on the squares of the line, 0 elsewhere).
    QString AnalysisWords() const { return AnalysisText; }
    int AnalysisStep(int X, int Y) const;
    TAnalyser* Analyser() const { return AnalysisWorker.get(); }

    // Shows the help topic of a context number (menus, F1 on a highlighted item).
    void ShowHelpContext(int context);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // MainLayout.cpp
    void BuildControls();
    void BuildToolBar(QWidget* client);
    void BuildTurnIndicator(QWidget* client);
    void BuildDisplays(QWidget* client);
    void BuildCommentPanel(QWidget* client);
    void BuildBevels(QWidget* client);
    void BuildStatusBar(QWidget* client);
    void BuildTimers(); // MainTimers.cpp, with the media players
    void ReleaseTimers();
    // The clock, the blink and the scrolling comments rest while nobody can see the window
    // (hidden or minimised), and show the present again when it is seen.
    void SetSeen(bool seen);
    void LoadArtwork(); // MainArtwork.cpp
    void RegisterCursors();
    // MainMenus.cpp
    void BuildMenus();
    void BuildPopupMenu();
    QAction* AddItem(QMenu* menu, const char* caption, const QKeySequence& shortcut, int context,
                     const char* hint, void (TMainForm::*handler)());
    // BoardView.cpp
    void BuildBoard(QWidget* client);
    void CellGridDrawCell(QPainter& canvas, int col, int row, const QRect& rect);
    void SetBoardColor(TColorValue color);
    // Runs a command; a store error ends it and shows in the standard error box.
    void Guarded(const std::function<void()>& command);
    void CentreWindow();
    void SwitchMusic(bool on);
    // MainHelp.cpp
    void BuildHelp();
    void ConnectHelp(TOptionsHooks& hooks);
    QAction* CommandItem(TCommand command) const;
    // A command is enabled when the game enables it and the computer's thinking does not refuse it.
    void ShowCommandState(TCommand command);
    // MainAnalysis.cpp
    void BuildAnalysis();
    // Thinks again about the position, or stops, once the events of the change are through.
    void ScheduleAnalysis();
    void RefreshAnalysis();
    void ShowAnalysis(const TAnalysis& analysis);
    void ClearAnalysis(const QString& words);
    // MainPlayers.cpp
    void ShowPlayerNames();
    void ApplyComputerPlayer();
    bool ChosenPlays() const; // the chosen player plays, not Rennor King in its place
    void ReleaseComputerPlayer();

    TOptionsForm* OptionsForm = nullptr;
    std::unique_ptr<TSettingsKey> SettingsKey;
    std::unique_ptr<TMainPorts> Ports;
    std::unique_ptr<TStatusHintHook> HintHook;
    bool StartedUp = false;
    bool Seen = true;
    std::array<bool, CommandCount> GameEnables; // the game flow's word on each command
    bool Thinking = false;
    QPointer<QWidget> HelpControl; // the control whose "What's this ?" menu is open, and where
    QPoint HelpMenuPlace;
    // The computer player the options chose, and the choice it was made from.
    std::unique_ptr<TComputerPlayer> ChosenPlayer;
    TPlayerSetup ChosenSetup;
    std::unique_ptr<TAnalyser> AnalysisWorker;
    QString AnalysisText;
    QString AnalysedKey;                          // the position being analysed, or empty
    std::vector<std::array<int, 3>> AnalysisLine; // X, Y from 1, and the colour
    bool AnalysisQueued = false;
    bool Reviewing = false;
};

extern TMainForm* MainForm;

// The colour depth test of start-up: below 8 bits per pixel it beeps, shows the message and
// answers false.
bool ColorDepthSufficient();
// The top-left corner that centres a window of outer size outer on a screen, leaving 30 pixels
// for the task bar and never above the top edge.
QPoint MainWindowPosition(const QSize& screen, const QSize& outer);

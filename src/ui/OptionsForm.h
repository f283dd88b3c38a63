// The options dialog: it edits every setting and, for the whole run, holds the dialog-held ones.
#pragma once

#include "core/LiveSettings.h"
#include "game/DialogOptions.h"
#include "players/PlayerSetup.h"

#include <QDialog>
#include <QString>
#include <functional>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class TRxDrawGrid;
class TSelTrackBar;
class TSettingsKey;

// The characters a name box takes from the keyboard; a longer stored name is still shown whole.
inline constexpr int NameMaxLength = 13;

// The help topic of the computer page and of each of its controls.
inline constexpr int ComputerPlayerHelp = 3010;
// The help topic of the rules page and of each of its controls.
inline constexpr int RulesHelp = 3020;

// What the dialog asks of the main window. Every hook may be empty: then it does nothing, except
// that GameIsOver and NewGame fall back on the game's own IsGameOver and NewGame1Click(false).
struct TOptionsHooks {
    std::function<bool()> GameIsOver; // also locks a finished board
    std::function<void()> NewGame;    // a new game without asking
    std::function<void()> ApplySettings;
    std::function<void(bool on)> SwitchMusic; // starts or stops the music; failures stay silent
    std::function<void(const QString& white, const QString& black)> ShowMainNames;
    std::function<void(int context)> ShowHelp; // the help topic of a context number
    // The context menu ("What's this ?") of a control that carries a help context.
    std::function<void(QWidget* control, const QPoint& globalPos)> ContextHelpMenu;
    // A control's topic as a pop-up at the control, asked for through the title bar's help button.
    std::function<void(int context, const QPoint& globalPos)> ShowHelpPopup;
};

// The dialog's controls, by the names the help topics use.
struct TOptionsControls {
    QTabWidget* OptionsControl = nullptr;
    QWidget *Preferences = nullptr, *PlayerSettings = nullptr;
    QWidget *GeneralSettings = nullptr, *AIE = nullptr, *ComputerPlayer = nullptr;
    QPushButton *OKBtn = nullptr, *CancelBtn = nullptr, *HelpBtn = nullptr;
    TRxDrawGrid* PreviewGrid = nullptr;
    QRadioButton *HumanHuman = nullptr, *HumanComputer = nullptr;
    QPushButton* WhoMovesFirst = nullptr;
    QToolButton *BlackPlayerSpeedButton = nullptr, *WhitePlayerSpeedButton = nullptr;
    QToolButton *WhiteMasterSpeedButton = nullptr, *BlackMasterSpeedButton = nullptr;
    QLabel *FirstPlayerLabel = nullptr, *SecondPlayerLabel = nullptr;
    QLineEdit *FirstPlayerEditBox = nullptr, *SecondPlayerEditBox = nullptr;
    QCheckBox *MusicCheckBox = nullptr, *SoundCheckBox = nullptr;
    TSelTrackBar *ReplayTrackBar = nullptr, *AutoPlaytrackBar = nullptr, *TrackBar = nullptr;
    QLabel* ADPanel = nullptr; // the A-D read-out
    QButtonGroup* RandomGroup = nullptr;
    QToolButton* SpeedButton12 = nullptr; // pressed to release the visible ones
    QRadioButton *KingRadio = nullptr, *EmperorRadio = nullptr, *ExternalRadio = nullptr;
    QLineEdit* EnginePathEdit = nullptr;
    QPushButton* BrowseEngineBtn = nullptr;
    QDoubleSpinBox* MoveTimeBox = nullptr; // seconds
    QLabel* KingNote = nullptr;            // when Rennor King plays, and when not
    QWidget* Rules = nullptr;
    QRadioButton *FreestyleRadio = nullptr, *StandardRadio = nullptr, *RenjuRadio = nullptr;
    QRadioButton *LargeBoardRadio = nullptr, *SmallBoardRadio = nullptr;
    QComboBox* OpeningBox = nullptr;
};

class TOptionsForm : public QDialog, public TDialogOptions {
    Q_OBJECT

public:
    // The key is the main window's; it outlives the dialog.
    explicit TOptionsForm(TSettingsKey& key, QWidget* parent = nullptr);
    ~TOptionsForm() override;

    TOptionsHooks Hooks;

    // What the game reads while the dialog is hidden.
    bool HumanComputer() const override;
    QString WhoMovesFirstCaption() const override;
    bool WhitePlayerDown() const override; // the first player has white
    bool WhiteMasterDown() const override; // the second player (or the computer) has white
    QString FirstPlayerLabel() const override;
    QString SecondPlayerLabel() const override;
    bool MusicChecked() const override;
    bool SoundChecked() const override;
    // The rules as last loaded or confirmed with OK; the page may show others meanwhile.
    TGameRules ChosenRules() const override { return CommittedRules; }
    bool HumanHuman() const;
    bool BlackPlayerDown() const;
    bool BlackMasterDown() const;
    QString FirstPlayerText() const; // the name boxes as typed
    QString SecondPlayerText() const;
    int ADPosition() const;
    int AutoPlayPosition() const;
    int ReplayPosition() const;
    TColorValue PreviewColor() const; // the board colour being edited
    TPlayerSetup ComputerPlayerSetup() const;
    TGameRules RulesOnPage() const; // the rules page as it stands

    // What loading the settings sets; each runs the control's own handlers.
    void SetMusicChecked(bool on);
    void SetSoundChecked(bool on);
    void SetWhoMovesFirstCaption(const QString& caption);
    void SetFirstPlayerText(const QString& name);
    void SetSecondPlayerText(const QString& name);
    void SetHumanHuman(bool humanHuman);
    void SetFirstPlayerWhite(bool white);
    void SetADPosition(int position);       // kept within 0..32
    void SetRandomness(int randomness);     // presses the button "randomness - 1" when there is one
    void SetAutoPlayPosition(int position); // kept within 0..9
    void SetReplayPosition(int position);
    void SetPreviewColor(TColorValue color);
    void SetComputerPlayerSetup(const TPlayerSetup& setup);
    // Shows the rules on the page and takes them as chosen.
    void SetChosenRules(const TGameRules& rules);
    // The computer's name as the second player's label shows it against the computer.
    void SetComputerName(const QString& name);

    // Resets the working values and reloads every control from the store; showing runs it, and
    // so does loading a game.
    void FormActivate();

    // The handlers.
    void OKBtnClick();
    void CancelBtnClick();
    void HelpBtnClick();
    void TrackBarChange();
    void RandClick(QAbstractButton* button);
    void WhoMovesFirstClick();
    void HumanComputerClick();
    void HumanHumanClick();
    void BoardColorBtnClick();
    void HintColorBtnClick();
    void LastMoveBackgroudColorBtnClick();
    void DefaultColorsClick();
    void ComputerChoiceClick();
    void BrowseEngineClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Page building (OptionsPages.cpp).
    void BuildButtonStrip();
    QWidget* BuildPreferencesPage();
    QWidget* BuildPlayersPage();
    QWidget* BuildStonePanel(QWidget* page);
    QWidget* BuildGeneralPage();
    QWidget* BuildAIEPage();
    void BuildRandomButtons(QWidget* page);
    QWidget* BuildComputerPage();
    // The computer page's behaviour (OptionsComputer.cpp).
    void ConnectComputerPage();
    void RefreshComputerControls();
    // The rules page (OptionsRules.cpp).
    QWidget* BuildRulesPage();
    void ConnectRulesPage();
    void ShowRulesOnPage(const TGameRules& rules);
    void ApplyRulesChoice(bool newGameStarted);
    void SetHelp(QWidget* control, const QString& hint, int context);
    // Behaviour (OptionsBehaviour.cpp).
    void ConnectBehaviours();
    void CoupleStoneButtons();
    void CentreOnScreen();
    void RefreshFirstLabel();
    void RefreshSecondLabel();
    bool PickColor(TColorValue& picked);
    bool ApplyGameModeChoice(); // true when it started a new game
    void StartNewGame();
    void RevertGameMode(bool storedHumanHuman);
    void RepaintPreview();

    TSettingsKey& Key;
    TOptionsControls Ctl;
    TColorValue PreviewBoardColor = ColorGray; // the working board colour, shown by the preview
    TColorValue LastPickedColor = 0;           // the colour picker opens on it; black at first
    QString ComputerNameText = QLatin1String(ComputerName);
    QRadioButton* LastChoice = nullptr; // taken back when no engine program is chosen
    TGameRules CommittedRules;
};

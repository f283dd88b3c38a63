// The options dialog of the running program as the user meets it: stones, names, mode, bars,
// randomness, colours and their preview, pages and help; what it loads and stores, and what it
// asks.
#include "WindowTestSupport.h"

#include "help/HelpEngine.h"
#include "help/HelpWindow.h"
#include "storage/SettingsKey.h"
#include "ui/OptionsTrackBar.h"

#include <QLineEdit>
#include <QTabWidget>

namespace {

class OptionsWindowTest : public WindowTest {
protected:
    // The dialog as the Options command shows it, without its modal loop, on page.
    void Show(const char* page = nullptr) {
        Options->show();
        QApplication::processEvents();
        if (page != nullptr) {
            Control<QTabWidget>("OptionsControl")->setCurrentWidget(Control(page));
        }
    }
    // Clicks near the left end, where a check box has its box.
    void Press(const QByteArray& name) const {
        auto* button = Control<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, {std::min(8, button->width() / 2), 5});
    }
    void Key(const char* bar, Qt::Key key) const {
        Control(bar)->setFocus();
        QTest::keyClick(Control(bar), key);
    }
    QLineEdit* Box(const char* name) const { return Control<QLineEdit>(name); }
    QString Shown(int part) const { return OptionsShown().section(", ", part, part); }
};

TEST_F(OptionsWindowTest, EachStoneButtonPressesTheOtherPlayersOppositeStone) {
    Start();
    Show("PlayerSettings");
    for (auto [button, down] : {std::pair{"BlackPlayer", "BlackPlayer WhiteMaster"},
                                {"WhitePlayer", "WhitePlayer BlackMaster"},
                                {"WhiteMaster", "BlackPlayer WhiteMaster"},
                                {"BlackMaster", "WhitePlayer BlackMaster"}}) {
        for (int twice = 0; twice < 2; ++twice) { // pressing a pressed button keeps it down
            Press(QByteArray(button) + "SpeedButton");
            EXPECT_EQ(Shown(2), down) << button;
        }
    }
}

TEST_F(OptionsWindowTest, NamesModeAndWhoIsFirstOnThePlayersPage) {
    Start();
    Show("PlayerSettings");
    Box("FirstPlayerEditBox")->clear();
    Box("SecondPlayerEditBox")->setText("Ann");
    Press("HumanComputer"); // closes the second box but keeps its text
    EXPECT_EQ(OptionsShown().section(", ", 0, 3),
              "music false sound false humans false box false, 1st Player is First, WhitePlayer "
              "BlackMaster,  / Ann shown Player 1 / Rennor King");
    QTest::keyClicks(Box("FirstPlayerEditBox"), "Bartholomew the Third"); // 13 characters at most
    Press("HumanHuman");
    Press("WhoMovesFirst");
    EXPECT_EQ(OptionsShown().section(", ", 0, 3),
              "music false sound false humans true box true, 2nd Player is First, WhitePlayer "
              "BlackMaster, Bartholomew t / Ann shown Bartholomew t / Ann");
    Box("SecondPlayerEditBox")->clear();
    Press("WhoMovesFirst");
    EXPECT_EQ(Line(Shown(1), Options->SecondPlayerLabel()), "1st Player is First Player 2");
    Options->SetWhoMovesFirstCaption("Nobody"); // an edited store
    Press("WhoMovesFirst");
    EXPECT_EQ(Shown(1), "1st Player is First");
}

TEST_F(OptionsWindowTest, BarsActWhileTheyMoveAndCancelKeepsThemUntilTheNextShowing) {
    Start();
    Show("AIE");
    auto* bar = Control<TSelTrackBar>("TrackBar");
    const auto ad = [&] { return Line(Shown(4), bar->SelStart(), bar->SelEnd(), Live.ADFactor); };
    Key("TrackBar", Qt::Key_Home);
    EXPECT_EQ(ad(), "A-D 0 -16 0 16 -16");
    Key("TrackBar", Qt::Key_End);
    EXPECT_EQ(ad(), "A-D 32 16 16 32 16");
    bar->setValue(16);
    Show("GeneralSettings");
    Key("ReplayTrackBar", Qt::Key_Left);
    Key("AutoPlaytrackBar", Qt::Key_Home);
    EXPECT_EQ(LiveShown().section(", ", 0, 2), "A-D 0, randomness 1 1, speeds 0 8");
    Key("AutoPlaytrackBar", Qt::Key_End);
    Press("CancelBtn");
    EXPECT_EQ(LiveShown().section(", ", 0, 2), "A-D 0, randomness 1 1, speeds 9 8");
    Show();
    EXPECT_EQ(LiveShown().section(", ", 0, 2), "A-D 0, randomness 1 1, speeds 9 9");
}

TEST_F(OptionsWindowTest, ARandomnessButtonStaysTheOnlyOneDownAndOkCommitsIt) {
    Start();
    Show("AIE");
    Press("SpeedButton5"); // caption "4"
    EXPECT_EQ(Line(Shown(5), LiveShown().section(", ", 1, 1)),
              "randomness 5 speeds 9 9 randomness 1 5");
    Press("OKBtn");
    EXPECT_EQ(Line(LiveShown().section(", ", 1, 1), Stored("RANDOMNESS")), "randomness 5 5 5");
}

TEST_F(OptionsWindowTest, ColoursArePickedFromTheLastPickAndOnlyOkCommitsThem) {
    Start();
    Show("Preferences");
    Answers->Colors = {std::nullopt, 0x123456, 0x00FF00};
    for (const char* button : {"HintColorBtn", "HintColorBtn", "LastMoveBackgroudColorBtn"}) {
        Press(button);
    }
    // The last-move colour picked again is no change.
    EXPECT_EQ(LiveShown().section(", ", 3),
              "colours 808080 ff ff00 pending 123456 ff00 false first W");
    Answers->Colors = {0x0000FF, 0x445566};
    Press("LastMoveBackgroudColorBtn");
    Press("BoardColorBtn");
    EXPECT_EQ(LiveShown().section(", ", 3),
              "colours 808080 ff ff00 pending 123456 ff true first W");
    EXPECT_EQ(Answers->ColorPickerStarts, (std::deque<TColorValue>{0, 0, 0x123456, 0xFF00, 0xFF}));
    Press("OKBtn");
    EXPECT_EQ(LiveShown().section(", ", 3),
              "colours 445566 123456 ff pending 123456 ff true first W");
    EXPECT_EQ(Line(Stored("BOARD COLOR"), Stored("HINT COLOR"), Stored("LAST COLOR")),
              "4478310 1193046 255");
}

TEST_F(OptionsWindowTest, TheBuiltInSetThenEscapeKeepsTheColours) {
    StartWith({{"BOARD COLOR", "1122867"}, {"HINT COLOR", "1122867"}, {"LAST COLOR", "1122867"}});
    Show("Preferences");
    Press("DefaultColors");
    EXPECT_EQ(Line(Hex(Options->PreviewColor()), LiveShown().section(", ", 3)),
              "808080 colours 112233 112233 112233 pending ff ff00 true first W");
    QTest::keyClick(Options.get(), Qt::Key_Escape);
    EXPECT_EQ(
        Line(Options->isVisible(), Hex(Options->PreviewColor()), LiveShown().section(", ", 3)),
        "false 112233 colours 112233 112233 112233 pending 112233 112233 true first W");
    EXPECT_EQ(Stored("MUSIC"), "0"); // nothing written
}

TEST_F(OptionsWindowTest, ThePreviewShowsTheWorkingColoursOnTheSamplePosition) {
    Start();
    Show("Preferences");
    auto* grid = Control<TRxDrawGrid>("PreviewGrid");
    // Empty square and its ring, white stone and rim, black stone and rim, hint square and ring,
    // last move: inside, black ring, black stone.
    const auto pixels = [grid] {
        const QImage image = grid->grab().toImage();
        QStringList names;
        for (auto [col, row, dx, dy] : {std::array{4, 4, 9, 9},
                                        {4, 4, 1, 1},
                                        {0, 0, 9, 9},
                                        {0, 0, 3, 9},
                                        {1, 0, 9, 9},
                                        {1, 0, 3, 9},
                                        {4, 0, 9, 9},
                                        {4, 0, 1, 1},
                                        {1, 2, 2, 2},
                                        {1, 2, 1, 1},
                                        {1, 2, 9, 9}}) {
            const QPoint at = grid->ClientOrigin() + grid->CellRect(col, row).topLeft();
            names << image.pixelColor((at + QPoint(dx, dy)) * image.devicePixelRatio()).name();
        }
        return names.join(' ');
    };
    EXPECT_EQ(pixels(), "#808080 #808080 #00ffff #000000 #000000 #00ffff #ff0000 #000000 #00ff00 "
                        "#000000 #000000");
    Answers->Colors = {0xFF0000, 0x00FFFF, 0x808000};
    for (const char* button : {"BoardColorBtn", "HintColorBtn", "LastMoveBackgroudColorBtn"}) {
        Press(button);
    }
    EXPECT_EQ(pixels(), "#0000ff #0000ff #00ffff #000000 #000000 #00ffff #ffff00 #000000 #008080 "
                        "#000000 #000000");
    EXPECT_EQ(Live.BoardColor, ColorGray); // the board keeps its colours until OK
}

TEST_F(OptionsWindowTest, PreferencesComeFirstThenThePageLastShownAndHelpShowsItsTopic) {
    Start();
    Show();
    auto* pages = Control<QTabWidget>("OptionsControl");
    EXPECT_EQ(pages->currentWidget()->objectName(), "Preferences");
    pages->setCurrentIndex(3);
    Press("CancelBtn");
    Show();
    EXPECT_EQ(pages->currentWidget()->objectName(), "AIE");
    EXPECT_EQ(Options->focusWidget(), Control("OKBtn"));
    QStringList topics;
    for (const char* page : {"Preferences", "PlayerSettings", "GeneralSettings", "AIE"}) {
        Show(page);
        Press("HelpBtn");
        topics << QString::number(Form->Help->Window()->CurrentContext());
    }
    EXPECT_EQ(topics.join(' '), "4444 1111 2222 3333");
}

TEST_F(OptionsWindowTest, EverySettingLoadsAsStoredAndOkStoresItBack) {
    const QString stored = "1st NAME=, 2nd NAME=Zoe, A-D Factor=7, AUTOPLAY SPEED=3, BOARD "
                           "COLOR=1122867, HINT COLOR=4, HUMAN vs HUMAN=0, LAST COLOR=5, MUSIC=0, "
                           "PLAYER1 COLOR=0, RANDOMNESS=11, REPLAY SPEED=5, SOUND=0, WHO IS "
                           "FIRST=2nd Player is First";
    for (const QString& value : stored.split(", ")) {
        Store(value.section('=', 0, 0).toLatin1().constData(), value.section('=', 1));
    }
    Start();
    Show();
    EXPECT_EQ(OptionsShown(), "music false sound false humans false box false, 2nd Player is "
                              "First, BlackPlayer WhiteMaster,  / Zoe shown Player 1 / Rennor "
                              "King, A-D 7 -9, randomness 11 speeds 3 5");
    EXPECT_EQ(LiveShown(), "A-D -9, randomness 11 11, speeds 3 5, colours 112233 4 5 pending 4 5 "
                           "false first B");
    Press("OKBtn");
    EXPECT_EQ(StoredValues(), stored);
}

TEST_F(OptionsWindowTest, OddStoredTextsLoadAsTheStoreReadsThem) {
    TSettingsKey key;
    for (auto [ad, random, sound, shown] : {std::tuple{"-5", "12", "2", "sound true A-D 0 -16 0"},
                                            {"99", "0", "", "sound true A-D 32 16 0"},
                                            {"0x14", "1", "0", "sound false A-D 20 4 1"},
                                            {"abc", "x", "x", "sound true A-D 20 4 2"}}) {
        Store("A-D Factor", ad);
        Store("RANDOMNESS", random);
        Store("SOUND", sound);
        Options = std::make_unique<TOptionsForm>(key);
        Show();
        EXPECT_EQ(Line(OptionsShown().section(' ', 2, 3), Shown(4), Shown(5).section(' ', 1, 1)),
                  shown);
    }
}

TEST_F(OptionsWindowTest, ChangesOtherThanTheModeNeverAsk) {
    Start();
    Show("PlayerSettings");
    Press("WhoMovesFirst");
    Press("BlackPlayerSpeedButton");
    Box("FirstPlayerEditBox")->setText("Max");
    Press("OKBtn");
    EXPECT_EQ(State(), "0 0 0 W undo 0 hints 0 URAPH asked 0 reports 0");
    // Black's name is shown at once.
    EXPECT_EQ(Line(Stored("WHO IS FIRST"), Stored("1st NAME"), Form->MainName2->text(),
                   LiveShown().right(7)),
              "2nd Player is First Max Max first B");
}

TEST_F(OptionsWindowTest, AModeChangeAsksWhileAGameRunsYesStartsTheNewGameFirstNoKeepsTheMode) {
    StartWith({{"HUMAN vs HUMAN", "1"}});
    Click(5, 5);
    Show("PlayerSettings");
    Press("HumanComputer");
    Press("WhoMovesFirst");
    Press("OKBtn"); // Yes: the new game still sees the two humans stored, so nobody has moved
    EXPECT_EQ(State(), "0 0 0 B undo 0 hints 0 URAPH asked 1 reports 0");
    EXPECT_EQ(Line(Stored("HUMAN vs HUMAN"), Stored("WHO IS FIRST")), "0 2nd Player is First");

    Show("PlayerSettings");
    Press("HumanHuman");
    Box("SecondPlayerEditBox")->setText("Ann");
    Answers->ConfirmAnswers = {false};
    Press("OKBtn");
    EXPECT_EQ(Answers->Questions[1], "Do You Wish To Cancel Current Game ?\n\n"
                                     "If you click 'No' - game mode will not be changed");
    EXPECT_EQ(Line(Shown(0), Options->SecondPlayerLabel(), Stored("HUMAN vs HUMAN"),
                   Stored("2nd NAME"), Game.MoveCount),
              "music false sound false humans false box false Rennor King 0 Ann 0");
}

TEST_F(OptionsWindowTest, AModeChangeAfterTheGameEndedNeedsNoQuestionAndLocksTheBoard) {
    StartWith({{"HUMAN vs HUMAN", "1"}});
    for (int x = 1; x <= 4; ++x) {
        Click(x, 1);
        Click(x, 3);
    }
    Click(5, 1);
    Game.GameFinished = false;
    Show("PlayerSettings");
    Press("HumanComputer");
    Press("OKBtn");
    // Asking locked the board.
    EXPECT_EQ(Line(Answers->Questions.size(), Game.GameFinished, Stored("HUMAN vs HUMAN"),
                   Game.MoveCount),
              "0 true 0 9");
}

TEST_F(OptionsWindowTest, MusicIsSwitchedOnlyWhenItsBoxChanged) {
    Start();
    QStringList switches;
    Options->Hooks.SwitchMusic = [&](bool on) { switches << (on ? "on" : "off"); };
    for (bool change : {false, true, true}) {
        Show("GeneralSettings");
        if (change) {
            Press("MusicCheckBox");
        }
        Press("OKBtn");
    }
    EXPECT_EQ(switches.join(' '), "on off");
}

TEST_F(OptionsWindowTest, AValueThatIsNoTextStopsTheLoadWithOneErrorBox) {
    Start();
    Store("SOUND", "1");
    Store("MUSIC", QStringList{"a", "b"});
    Show();
    // The closing quote sorts before the full stop, so none is added; the load stopped before
    // SOUND, and the dialog is still usable.
    EXPECT_EQ(Answers->Errors, QStringList{"Invalid data type for 'MUSIC'"});
    EXPECT_EQ(Line(Options->SoundChecked(), Options->isVisible()), "false true");
}

} // namespace

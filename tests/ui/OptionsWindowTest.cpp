// The options dialog of the running program as the user meets it: stones, names, mode, bars,
// randomness, colours and their preview, pages and help; what it loads and stores, and what it
// asks.
#include "WindowTestSupport.h"

#include "help/HelpEngine.h"
#include "help/HelpWindow.h"
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
    void Key(const char* control, Qt::Key key) const {
        Control(control)->setFocus();
        QTest::keyClick(Control(control), key);
    }
    QLineEdit* Box(const char* name) const { return Control<QLineEdit>(name); }
    QString Shown(int from, int to) const { return OptionsShown().section(", ", from, to); }
    static QString Colours() { return LiveShown().section(", ", 3, 3); }
};

TEST_F(OptionsWindowTest, StonesNamesModeAndWhoIsFirstOnThePlayersPage) {
    Start();
    Show("PlayerSettings");
    QStringList down; // pressing a pressed button keeps it down
    for (const char* stone : {"BlackPlayer", "WhitePlayer", "WhiteMaster", "BlackMaster"}) {
        Do(QString("%1SpeedButton %1SpeedButton").arg(stone));
        down << Shown(2, 2);
    }
    EXPECT_EQ(down, QStringList({"BlackPlayer WhiteMaster", "WhitePlayer BlackMaster",
                                 "BlackPlayer WhiteMaster", "WhitePlayer BlackMaster"}));
    Box("FirstPlayerEditBox")->clear();
    Box("SecondPlayerEditBox")->setText("Ann");
    Do("HumanComputer"); // closes the second box but keeps its text
    EXPECT_EQ(Shown(0, 3), "music false sound false humans false box false, 1st Player is First, "
                           "WhitePlayer BlackMaster,  / Ann shown Player 1 / Rennor King");
    QTest::keyClicks(Box("FirstPlayerEditBox"), "Bartholomew the Third"); // 13 characters at most
    Do("HumanHuman WhoMovesFirst");
    EXPECT_EQ(Shown(0, 3),
              "music false sound false humans true box true, 2nd Player is First, "
              "WhitePlayer BlackMaster, Bartholomew t / Ann shown Bartholomew t / Ann");
    Box("SecondPlayerEditBox")->clear();
    Do("WhoMovesFirst");
    const QString cleared = Line(Shown(1, 1), Options->SecondPlayerLabel());
    Options->SetWhoMovesFirstCaption("Nobody"); // an edited store
    Do("WhoMovesFirst");
    EXPECT_EQ(Line(cleared, Shown(1, 1)), "1st Player is First Player 2 1st Player is First");
}

TEST_F(OptionsWindowTest, BarsAndRandomnessActWhileTheyMoveAndOnlyOkCommitsTheRandomness) {
    Start();
    Show("AIE");
    auto* bar = Control<TSelTrackBar>("TrackBar");
    QStringList seen; // the A-D bar and read-out, its selection, the live values
    for (Qt::Key key : {Qt::Key_Home, Qt::Key_End}) {
        Key("TrackBar", key);
        seen << Line(Shown(4, 4), bar->SelStart(), bar->SelEnd(), LiveShown().section(", ", 0, 0));
    }
    bar->setValue(16);
    Do("SpeedButton5"); // caption "4"
    Show("GeneralSettings");
    Key("ReplayTrackBar", Qt::Key_Left);
    Key("AutoPlaytrackBar", Qt::Key_Home);
    seen << Shown(5, 5) << LiveShown().section(", ", 0, 2);
    Key("AutoPlaytrackBar", Qt::Key_End);
    Do("CancelBtn"); // the bars stay in effect until the next showing reloads the store
    seen << LiveShown().section(", ", 0, 2);
    Show();
    seen << LiveShown().section(", ", 0, 2);
    Do("SpeedButton5 OKBtn");
    seen << LiveShown().section(", ", 1, 1) + " " + Stored("RANDOMNESS");
    EXPECT_EQ(seen, QStringList({"A-D 0 -16 0 16 A-D -16", "A-D 32 16 16 32 A-D 16",
                                 "randomness 5 speeds 0 8", "A-D 0, randomness 1 5, speeds 0 8",
                                 "A-D 0, randomness 1 1, speeds 9 8",
                                 "A-D 0, randomness 1 1, speeds 9 9", "randomness 5 5 5"}));
}

TEST_F(OptionsWindowTest, ColoursArePickedFromTheLastPickAndOnlyOkCommitsThem) {
    StartWith({{"BOARD COLOR", "1122867"}, {"HINT COLOR", "1122867"}, {"LAST COLOR", "1122867"}});
    Show("Preferences");
    Answers->Colors = {std::nullopt, 0x123456, 0x112233, 0x445566};
    Do("HintColorBtn HintColorBtn LastMoveBackgroudColorBtn BoardColorBtn");
    // The last-move colour picked again is no change.
    QStringList seen{Line(Options->PreviewColor(), Colours())};
    Do("DefaultColors");
    seen << Line(Options->PreviewColor(), Colours());
    QTest::keyClick(Options.get(), Qt::Key_Escape);
    seen << Line(Options->isVisible(), Options->PreviewColor(), Colours());
    Show("Preferences");
    Answers->Colors = {0x0000FF};
    Do("LastMoveBackgroudColorBtn OKBtn");
    seen << Colours() + " " + Stored("LAST COLOR");
    EXPECT_EQ(seen,
              QStringList({"4478310 colours 112233 112233 112233 pending 123456 112233 false",
                           "8421504 colours 112233 112233 112233 pending ff ff00 true",
                           "false 1122867 colours 112233 112233 112233 pending 112233 112233 true",
                           "colours 112233 112233 ff pending 112233 ff true 255"}));
    EXPECT_EQ(Answers->ColorPickerStarts,
              (std::deque<TColorValue>{0, 0, 0x123456, 0x112233, 0x445566}));
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
    const QString before = pixels();
    Answers->Colors = {0xFF0000, 0x00FFFF, 0x808000};
    Do("BoardColorBtn HintColorBtn LastMoveBackgroudColorBtn");
    EXPECT_EQ(QStringList({before, pixels()}),
              QStringList({"#808080 #808080 #00ffff #000000 #000000 #00ffff #ff0000 #000000 "
                           "#00ff00 #000000 #000000",
                           "#0000ff #0000ff #00ffff #000000 #000000 #00ffff #ffff00 #000000 "
                           "#008080 #000000 #000000"}));
    EXPECT_EQ(Live.BoardColor, ColorGray); // the board keeps its colours until OK
}

TEST_F(OptionsWindowTest, PreferencesComeFirstThenThePageLastShownAndHelpShowsItsTopic) {
    Start();
    Show();
    auto* pages = Control<QTabWidget>("OptionsControl");
    QStringList seen{pages->currentWidget()->objectName()};
    pages->setCurrentIndex(3);
    Do("CancelBtn");
    Show();
    seen << pages->currentWidget()->objectName() << Options->focusWidget()->objectName();
    for (const char* page : {"Preferences", "PlayerSettings", "GeneralSettings", "AIE"}) {
        Show(page);
        Do("HelpBtn");
        seen << QString::number(Form->Help->Window()->CurrentContext());
    }
    EXPECT_EQ(seen.join(' '), "Preferences AIE OKBtn 4444 1111 2222 3333");
}

TEST_F(OptionsWindowTest, EverySettingLoadsAsStoredAndOkStoresItBack) {
    // An A-D position past the end of the bar comes back at its end; a randomness without a
    // button presses none.
    const QString stored = "1st NAME=, 2nd NAME=Zoe, A-D Factor=99, AUTOPLAY SPEED=3, BOARD "
                           "COLOR=1122867, HINT COLOR=4, HUMAN vs HUMAN=0, LAST COLOR=5, MUSIC=0, "
                           "PLAYER1 COLOR=0, RANDOMNESS=12, REPLAY SPEED=5, SOUND=0, WHO IS "
                           "FIRST=2nd Player is First";
    for (const QString& value : stored.split(", ")) {
        Store(value.section('=', 0, 0).toLatin1().constData(), value.section('=', 1));
    }
    Start();
    Show();
    EXPECT_EQ(OptionsShown(), "music false sound false humans false box false, 2nd Player is "
                              "First, BlackPlayer WhiteMaster,  / Zoe shown Player 1 / Rennor "
                              "King, A-D 32 16, randomness 0 speeds 3 5");
    EXPECT_EQ(LiveShown(), "A-D 16, randomness 12 12, speeds 3 5, colours 112233 4 5 pending 4 5 "
                           "false, first B");
    Do("OKBtn");
    EXPECT_EQ(StoredValues(), QString(stored).replace("=99", "=32"));
}

TEST_F(OptionsWindowTest, ChangesOtherThanTheModeNeverAsk) {
    Start();
    Show("PlayerSettings");
    Do("WhoMovesFirst BlackPlayerSpeedButton");
    Box("FirstPlayerEditBox")->setText("Max");
    Do("OKBtn");
    EXPECT_EQ(State(), "0 0 0 W undo 0 hints 0 URAPH asked 0 reports 0");
    // Black's name is shown at once.
    EXPECT_EQ(Line(Stored("WHO IS FIRST"), Stored("1st NAME"), Form->MainName2->text(),
                   LiveShown().section(", ", 4)),
              "2nd Player is First Max Max first B");
}

TEST_F(OptionsWindowTest, AModeChangeAsksOnlyWhileAGameRunsYesStartsTheNewGameFirstNoKeepsIt) {
    StartWith({{"HUMAN vs HUMAN", "1"}});
    Do("5,5");
    Show("PlayerSettings");
    Do("HumanComputer WhoMovesFirst OKBtn"); // Yes: the new game still sees the humans stored
    QStringList seen{State(), Stored("HUMAN vs HUMAN") + " " + Stored("WHO IS FIRST")};
    Show("PlayerSettings");
    Do("HumanHuman");
    Box("SecondPlayerEditBox")->setText("Ann");
    Answers->ConfirmAnswers = {false};
    Do("OKBtn");
    seen << Answers->Questions.last() << Shown(0, 0) + " " + Options->SecondPlayerLabel()
         << Line(Stored("HUMAN vs HUMAN"), Stored("2nd NAME"), Game.MoveCount);
    Game.FiveMade = true; // once the game is over, no question; asking locks the board
    Show("PlayerSettings");
    Do("HumanHuman OKBtn");
    seen << Line(Answers->Questions.size(), Game.GameFinished, Stored("HUMAN vs HUMAN"));
    EXPECT_EQ(seen, QStringList({"0 0 0 B undo 0 hints 0 URAPH asked 1 reports 0",
                                 "0 2nd Player is First",
                                 "Do You Wish To Cancel Current Game ?\n\nIf you click 'No' - "
                                 "game mode will not be changed",
                                 "music false sound false humans false box false Rennor King",
                                 "0 Ann 0", "2 true 1"}));
}

TEST_F(OptionsWindowTest, MusicIsSwitchedOnlyWhenItsBoxChanged) {
    Start();
    QStringList switches;
    Options->Hooks.SwitchMusic = [&](bool on) { switches << (on ? "on" : "off"); };
    for (const char* steps : {"OKBtn", "MusicCheckBox OKBtn", "MusicCheckBox OKBtn"}) {
        Show("GeneralSettings");
        Do(steps);
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

// The options dialog of the running program as the user meets it: stones, names, mode, bars,
// randomness, colours and their preview, pages and help; what it loads and stores, and what it
// asks.
#include "WindowTestSupport.h"

#include "help/HelpEngine.h"
#include "help/HelpWindow.h"
#include "ui/OptionsTrackBar.h"

#include "game/ComputerTurn.h"
#include "players/ComputerPlayer.h"

#include <QFileInfo>
#include <QLineEdit>
#ifdef __linux__
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace {

// How often action replaces file (a rename onto its name, which is atomic): once for all values
// is what leaves all old or all new values to a program stopped while it writes. Without inotify
// there is nothing to count.
int ReplacementsDuring(const QString& file, const std::function<void()>& action) {
#ifdef __linux__
    const QFileInfo info(file);
    const int watch = inotify_init1(IN_NONBLOCK);
    inotify_add_watch(watch, QFile::encodeName(info.absolutePath()).constData(), IN_MOVED_TO);
    action();
    QByteArray events(1 << 16, '\0');
    const ssize_t n = read(watch, events.data(), events.size());
    close(watch);
    // Each event ends with its name, padded with nulls.
    return n > 0 ? int(events.left(n).count(QFile::encodeName(info.fileName()) + '\0')) : 0;
#else
    action();
    return 1;
#endif
}

using OptionsWindowTest = WindowTest;

TEST_F(OptionsWindowTest, StonesNamesModeAndWhoIsFirstOnThePlayersPage) {
    Start();
    ShowOptions("PlayerSettings");
    QStringList seen; // pressing a pressed button keeps it down
    for (const char* stone : {"BlackPlayer", "WhitePlayer", "WhiteMaster", "BlackMaster"}) {
        Do(QString("%1SpeedButton %1SpeedButton").arg(stone));
        seen << Shown(2);
    }
    Control<QLineEdit>("FirstPlayerEditBox")->clear();
    Control<QLineEdit>("SecondPlayerEditBox")->setText("Ann");
    Do("HumanComputer"); // closes the second box but keeps its text
    seen << Shown(0, 3);
    QTest::keyClicks(Control("FirstPlayerEditBox"), "Bartholomew the Third"); // 13 at most
    Do("HumanHuman WhoMovesFirst");
    seen << Shown(0, 3);
    Control<QLineEdit>("SecondPlayerEditBox")->clear();
    Do("WhoMovesFirst");
    seen << Shown(1) + ", " + Options->SecondPlayerLabel();
    EXPECT_EQ(seen,
              QStringList({"BlackPlayer WhiteMaster", "WhitePlayer BlackMaster",
                           "BlackPlayer WhiteMaster", "WhitePlayer BlackMaster",
                           "music false sound false humans false box false, 1st Player is "
                           "First, WhitePlayer BlackMaster,  / Ann shown Player 1 / Rennor King",
                           "music false sound false humans true box true, 2nd Player is "
                           "First, WhitePlayer BlackMaster, Bartholomew t / Ann shown "
                           "Bartholomew t / Ann",
                           "1st Player is First, Player 2"}));
}

TEST_F(OptionsWindowTest, BarsAndRandomnessActWhileTheyMoveAndOnlyOkCommitsTheRandomness) {
    Start();
    ShowOptions("AIE");
    auto* bar = Control<TSelTrackBar>("TrackBar");
    // The A-D bar and read-out with its selection; what the user sees, and what acts.
    QStringList seen;
    for (Qt::Key key : {Qt::Key_Home, Qt::Key_End}) {
        QTest::keyClick(bar, key);
        seen << Line(Shown(4), bar->SelStart(), bar->SelEnd(), Shown(6));
    }
    bar->setValue(16);
    Do("SpeedButton5"); // caption "4"
    ShowOptions("GeneralSettings");
    QTest::keyClick(Control("ReplayTrackBar"), Qt::Key_Left);
    QTest::keyClick(Control("AutoPlaytrackBar"), Qt::Key_Home);
    seen << Shown(5, 6);
    QTest::keyClick(Control("AutoPlaytrackBar"), Qt::Key_End);
    Do("CancelBtn"); // the bars stay in effect until the next showing reloads the store
    seen << Shown(6);
    ShowOptions();
    seen << Shown(6);
    Do("SpeedButton5 OKBtn");
    seen << Shown(6) + " " + Stored("RANDOMNESS");
    EXPECT_EQ(seen, QStringList({"A-D 0 -16 0 16 live A-D -16 randomness 1 1 speeds 9 9",
                                 "A-D 32 16 16 32 live A-D 16 randomness 1 1 speeds 9 9",
                                 "randomness 5 speeds 0 8, live A-D 0 randomness 1 5 speeds 0 8",
                                 "live A-D 0 randomness 1 1 speeds 9 8",
                                 "live A-D 0 randomness 1 1 speeds 9 9",
                                 "live A-D 0 randomness 5 5 speeds 9 9 5"}));
}

// The preview shows the picked colours on its sample position.
TEST_F(OptionsWindowTest, ColoursArePickedFromTheLastPickShownInThePreviewAndOnlyOkCommitsThem) {
    StartWith({{"BOARD COLOR", "1122867"}, {"HINT COLOR", "1122867"}, {"LAST COLOR", "1122867"}});
    ShowOptions("Preferences");
    Ports->Colors = {std::nullopt, 0x123456, 0x112233, 0x445566};
    Do("HintColorBtn HintColorBtn LastMoveBackgroudColorBtn BoardColorBtn");
    const auto preview = [this] { // empty square, ring; white stone, rim; hint, ring; last move
        auto* grid = Control<TRxDrawGrid>("PreviewGrid");
        const QImage image = grid->grab().toImage();
        QStringList pixels;
        const int at[][4] = {{4, 4, 9, 9}, {4, 4, 1, 1}, {0, 0, 9, 9}, {0, 0, 3, 9}, {4, 0, 9, 9},
                             {4, 0, 1, 1}, {1, 2, 2, 2}, {1, 2, 1, 1}, {1, 2, 9, 9}};
        for (auto [col, row, dx, dy] : at) {
            const QPoint p =
                grid->ClientOrigin() + grid->CellRect(col, row).topLeft() + QPoint(dx, dy);
            const QColor colour = image.pixelColor(p * image.devicePixelRatio());
            pixels << (dx == 3 ? Stark(colour) : colour.name().mid(1));
        }
        return pixels.join(' ');
    };
    QStringList seen{preview(), // the same last-move colour is no change
                     Line(Hex(Options->PreviewColor()), Shown(7))};
    Do("DefaultColors");
    seen << Line(Hex(Options->PreviewColor()), Shown(7)); // as the Preferences picture
    QTest::keyClick(Options.get(), Qt::Key_Escape);
    seen << Line(Options->isVisible(), Hex(Options->PreviewColor()), Shown(7));
    ShowOptions("Preferences");
    Ports->Colors = {0x0000FF};
    Do("LastMoveBackgroudColorBtn OKBtn");
    seen << Shown(7) + " " + Stored("LAST COLOR");
    EXPECT_EQ(
        seen,
        QStringList({"665544 665544 00ffff 000000 563412 000000 332211 000000 000000",
                     "445566 colours 112233 112233 112233 pending 123456 112233 false first W",
                     "808080 colours 112233 112233 112233 pending ff ff00 true first W",
                     "false 112233 colours 112233 112233 112233 pending 112233 112233 true first W",
                     "colours 112233 112233 ff pending 112233 ff true first W 255"}));
    EXPECT_EQ(Ports->ColorPickerStarts,
              (std::deque<TColorValue>{0, 0, 0x123456, 0x112233, 0x445566}));
}

TEST_F(OptionsWindowTest,
       EverySettingLoadsAsStoredOkStoresItBackInOneWriteAndABadValueStopsTheLoad) {
    // An A-D position past the end of the bar comes back at its end; a randomness without a
    // button presses none; a name longer than a box takes when typed stays whole.
    const QString stored = "1st NAME=, 2nd NAME=Bartholomew the Great, A-D Factor=99, AUTOPLAY "
                           "SPEED=3, BOARD COLOR=1122867, HINT COLOR=4, HUMAN vs HUMAN=0, LAST "
                           "COLOR=5, MUSIC=0, PLAYER1 COLOR=0, RANDOMNESS=12, REPLAY SPEED=5, "
                           "SOUND=0, WHO IS FIRST=2nd Player is First";
    for (const QString& value : stored.split(", ")) {
        Store(value.section('=', 0, 0).toLatin1().constData(), value.section('=', 1));
    }
    Start();
    ShowOptions();
    EXPECT_EQ(OptionsShown(), "music false sound false humans false box false, 2nd Player is "
                              "First, BlackPlayer WhiteMaster,  / Bartholomew the Great shown "
                              "Player 1 / Rennor King, A-D 32 16, randomness 0 speeds 3 5, live "
                              "A-D 16 randomness 12 12 speeds 3 5, colours 112233 4 5 pending 4 "
                              "5 false first B");
    EXPECT_EQ(ReplacementsDuring(Raw().fileName(), [this] { Do("OKBtn"); }), 1);
    EXPECT_EQ(StoredLike(stored), QString(stored).replace("=99", "=32"));
    // A value that is no text stops the next load with one error box; the closing quote sorts
    // before the full stop, so none is added. The load stopped before SOUND, and the dialog is
    // still usable.
    Store("SOUND", "1");
    Store("MUSIC", QStringList{"a", "b"});
    ShowOptions();
    EXPECT_EQ(Line(Ports->Errors.join('|'), Options->SoundChecked(), Options->isVisible()),
              "Invalid data type for 'MUSIC' false true");
}

TEST_F(OptionsWindowTest, AModeChangeAsksOnlyWhileAGameRunsYesStartsTheNewGameFirstNoKeepsIt) {
    StartWith({{"HUMAN vs HUMAN", "1"}});
    Do("5,5");
    ShowOptions("PlayerSettings");
    Do("HumanComputer WhoMovesFirst OKBtn"); // Yes: the new game still sees the humans stored
    QStringList seen{State(), Stored("HUMAN vs HUMAN") + " " + Stored("WHO IS FIRST")};
    ShowOptions("PlayerSettings");
    Control<QLineEdit>("SecondPlayerEditBox")->setText("Ann");
    Ports->ConfirmAnswers = {false};
    Do("HumanHuman OKBtn");
    seen << Ports->Questions.last() << Shown(0) + " " + Options->SecondPlayerLabel()
         << Line(Stored("HUMAN vs HUMAN"), Stored("2nd NAME"), Game.MoveCount);
    Game.FiveMade = true; // once the game is over, no question; asking locks the board
    ShowOptions("PlayerSettings");
    Do("HumanHuman OKBtn");
    seen << Line(Ports->Questions.size(), Game.GameFinished, Stored("HUMAN vs HUMAN"));
    EXPECT_EQ(seen, QStringList({"0 0 0 B undo 0 hints 0 URAPH asked 1 reports 0",
                                 "0 2nd Player is First",
                                 "Do You Wish To Cancel Current Game ?\n\nIf you click 'No' - "
                                 "game mode will not be changed",
                                 "music false sound false humans false box false Rennor King",
                                 "0 Ann 0", "2 true 1"}));
}

// Beside the dialog shown by the Options command the help window takes keys; Preferences come
// first, then the page last shown; help shows each page's topic.
TEST_F(OptionsWindowTest,
       PreferencesComeFirstThenThePageLastShownAndHelpShowsItsTopicAndTakesKeys) {
    Start();
    QStringList seen;
    QTimer::singleShot(0, Options.get(), [this, &seen] {
        Do("HelpBtn");
        THelpWindow* help = Form->Help->Window();
        help->ShowIndexPage();
        help->IndexEdit()->setFocus();
        QTest::keyClick(help->windowHandle(), 'n'); // as the window system delivers it
        seen << help->IndexEdit()->text();
        Options->reject();
    });
    Form->Options1Click();
    ShowOptions();
    auto* pages = Control<QTabWidget>("OptionsControl");
    seen << pages->currentWidget()->objectName();
    pages->setCurrentIndex(3);
    Do("CancelBtn");
    ShowOptions();
    seen << pages->currentWidget()->objectName();
    for (const char* page : {"Preferences", "PlayerSettings", "GeneralSettings", "AIE"}) {
        ShowOptions(page);
        Do("HelpBtn");
        seen << QString::number(Form->Help->Window()->CurrentContext());
    }
    EXPECT_EQ(seen.join(' '), "n Preferences AIE 4444 1111 2222 3333");
}

// After an engine fails, the page shows the player that plays and says why, until OK; each
// player has its own line about its time.
TEST_F(OptionsWindowTest, TheComputerPageShowsWhoPlaysAfterAnEngineFailedAndEachPlayersLine) {
    StartWith({{"COMPUTER PLAYER", "External engine"}, {"ENGINE PATH", "/bin/false"}});
    Do("10,10");
    ASSERT_TRUE(QTest::qWaitFor([] { return Game.MoveCount == 2; }, 10000));
    const auto page = [this] {
        QString checked;
        for (const char* radio : {"KingRadio", "EmperorRadio", "ExternalRadio"}) {
            checked += Control<QAbstractButton>(radio)->isChecked() ? radio : "";
        }
        const auto* note = Control<QLabel>("EngineNote");
        return Line(checked, Control<QLabel>("Label10")->text(),
                    note->isVisible() ? note->text() : "-");
    };
    ShowOptions("ComputerPlayer");
    QStringList seen{page()};
    Do("EmperorRadio");
    seen << page();
    Do("CancelBtn");
    ShowOptions("ComputerPlayer");
    seen << page();
    Do("ExternalRadio OKBtn"); // chosen again: tried again
    seen << Line(Stored("COMPUTER PLAYER"), ComputerPlayer().Name());
    EXPECT_EQ(seen, QStringList({"KingRadio Rennor King always answers at once. The engine "
                                 "failed: Rennor King plays in its place until you choose again.",
                                 "EmperorRadio It thinks for the time per move. -",
                                 "KingRadio Rennor King always answers at once. The engine "
                                 "failed: Rennor King plays in its place until you choose again.",
                                 "External engine false"}));
}

} // namespace

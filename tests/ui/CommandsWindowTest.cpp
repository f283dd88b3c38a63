// The Game and Controls commands in the main window: Auto Play and what is given while it runs,
// Hint, Switch Sides, Undo, Redo and Replay, Save and Load with real files, and the report of
// each way a game ends.
#include "WindowTestSupport.h"

#include "storage/SavedGameFile.h"

#include <QFile>
#include <QRegularExpression>
#include <functional>

namespace {

class CommandsWindowTest : public WindowTest {
protected:
    // Auto Play at this speed, with item given once the loop has run for ms milliseconds.
    void AutoPlayWith(const char* speed, QAction* TMainMenuItems::*item, int ms) {
        Store("AUTOPLAY SPEED", speed);
        Start();
        QTimer::singleShot(ms, [this, item] { (Items().*item)->trigger(); });
        Items().AutoPlay1->trigger();
        EXPECT_FALSE(Play.AutoPlaying);
    }
    void Save(const char* name) {
        Answers->FileNames = {Dir.filePath(name)};
        Items().SaveGame1->trigger();
    }
    void Load(const char* name) {
        Answers->FileNames = {Dir.filePath(name)};
        Items().LoadGame1->trigger();
    }
    // A saved game of these moves, black first, with Undo and Redo enabled.
    void WriteGame(const char* name, std::initializer_list<std::pair<int, int>> squares,
                   int hints = 0) {
        TSavedGame saved;
        TStoneColor c = BlackStone;
        for (auto [x, y] : squares) {
            saved.Moves[++saved.MoveCount] = TMoveRecord{c, x, y};
            saved.LastMoveX = x;
            saved.LastMoveY = y;
            c = Opponent(c);
        }
        saved.Play.UndoEnabled = saved.Play.RedoEnabled = true;
        saved.Play.HintsUsedCount = hints;
        WriteSavedGame(Dir.filePath(name), saved);
    }
    static int PixelsOf(const QImage& image, const QColor& color) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                n += image.pixelColor(x, y) == color;
            }
        }
        return n;
    }
    QTemporaryDir Dir;
};

TEST_F(CommandsWindowTest, AutoPlayAsksPlaysToTheReportAndAfterItStartsWithoutAQuestion) {
    Start();
    Items().AutoPlay1->trigger();
    EXPECT_EQ(Answers->Questions, QStringList{"Do You Wish To Cancel Current Game ?"});
    const QString n = QString::number(Game.MoveCount);
    EXPECT_EQ(State(), n + '/' + n + '/' + n + " over, undo 0, hints 0, --APH, asked 1, reports 1");
    EXPECT_TRUE(Ports->Reports[0].contains(": " + n + " moves")) << Ports->Reports[0].toStdString();
    Items().AutoPlay1->trigger();
    EXPECT_EQ(Answers->Questions.size(), 1);
    EXPECT_EQ(Ports->Reports.size(), 2);
}

TEST_F(CommandsWindowTest, NewGameDuringAutoPlaysPauseLeavesAFreshGameForTheHuman) {
    AutoPlayWith("0", &TMainMenuItems::NewGame1, 100);
    EXPECT_EQ(State(), "0/0/0 W, undo 0, hints 0, --APH, asked 2, reports 0");
    Click(10, 10);
    EXPECT_EQ(Game.MoveCount, 2);
}

TEST_F(CommandsWindowTest, ConfirmedExitDuringAutoPlayEndsTheLoopAndClosesTheWindow) {
    QApplication::setQuitOnLastWindowClosed(false); // the test program goes on
    AutoPlayWith("0", &TMainMenuItems::Exit1, 100);
    EXPECT_TRUE(Play.Closing && !Form->isVisible());
    EXPECT_EQ(Answers->ExitQuestions, 1);
    EXPECT_LE(Game.MoveCount, 1);
    EXPECT_TRUE(Ports->Reports.isEmpty());
}

TEST_F(CommandsWindowTest, AutoPlayGivenDuringAutoPlayRunsOneGameToItsEnd) {
    AutoPlayWith("8", &TMainMenuItems::AutoPlay1, 20);
    const QString n = QString::number(Game.MoveCount);
    EXPECT_EQ(State(), n + '/' + n + '/' + n + " over, undo 0, hints 0, --APH, asked 2, reports 1");
}

TEST_F(CommandsWindowTest, HintFlashesTheHintColourOnItsSquareAndCountsEachHint) {
    const QColor red(255, 0, 0), grey(128, 128, 128);
    Start();
    Click(10, 10);
    QImage during;
    QTimer::singleShot(150, [&] { during = Board(); });
    Items().Hint1->trigger();
    Items().Hint1->trigger();
    EXPECT_EQ(State(), "2/2/2 W, undo 0, hints 2, URAPH, asked 0, reports 0");
    EXPECT_GT(PixelsOf(during, red), 100);
    EXPECT_EQ(PixelsOf(Board(), red), 0);
    // The flash: the hint colour inside a black ring, then the square as it was.
    QTimer::singleShot(150, [&] { during = Board(); });
    Form->FlashHintSquare(7, 3);
    EXPECT_EQ(Pixel(during, 7, 3, 9, 9), red);
    EXPECT_EQ(Pixel(during, 7, 3, 1, 1), QColor(Qt::black));
    EXPECT_EQ(Pixel(Board(), 7, 3, 9, 9), grey);
    EXPECT_EQ(Pixel(Board(), 7, 3, 1, 1), grey);
}

TEST_F(CommandsWindowTest, SwitchSidesHandsTheHumanTheOtherColour) {
    Store("PLAYER1 COLOR", "0"); // the human, moving first, has black
    Start();
    Items().SwitchSides1->trigger();
    Click(3, 3);
    EXPECT_TRUE(QRegularExpression("^B\\d+,\\d+ W3,3 B\\d+,\\d+$").match(MovesMade()).hasMatch())
        << MovesMade().toStdString();
    EXPECT_TRUE(Play.SidesSwitched);
}

TEST_F(CommandsWindowTest, UndoAndRedoStepByTurnAgainstTheComputerAndByMoveBetweenHumans) {
    struct Row {
        const char *Mode, *WhoFirst;
        std::vector<std::pair<int, int>> Clicks;
        const char* Commands; // U for Undo, R for Redo
        std::vector<const char*> After;
    };
    const Row rows[] = {
        {"0",
         "1st Player is First",
         {{10, 10}, {4, 4}},
         "UUURRR",
         {"2/2/2 W, undo 1", "0/0/0 W, undo 2", "0/0/0 W, undo 2", "2/2/2 W, undo 3",
          "4/4/4 W, undo 4", "4/4/4 W, undo 4"}},
        // The computer's lone opening stone stays.
        {"0", "2nd Player is First", {{3, 3}}, "UU", {"1/1/1 W, undo 1", "1/1/1 W, undo 1"}},
        {"1",
         "1st Player is First",
         {{5, 5}, {6, 6}, {7, 7}},
         "UURRR",
         {"2/2/2 W, undo 1", "1/1/1 B, undo 2", "2/2/2 W, undo 3", "3/3/3 B, undo 4",
          "3/3/3 B, undo 4"}},
    };
    for (const Row& row : rows) {
        SetUp();
        Store("HUMAN vs HUMAN", row.Mode);
        Store("WHO IS FIRST", row.WhoFirst);
        Start();
        for (auto [X, Y] : row.Clicks) {
            Click(X, Y);
        }
        const QString game = MovesMade();
        const QString commands = QString::fromLatin1(row.Commands);
        for (qsizetype i = 0; i < commands.size(); ++i) {
            (commands[i] == 'U' ? Items().Undo1 : Items().Redo1)->trigger();
            EXPECT_EQ(State().section(',', 0, 1), row.After[i]) << row.Commands << " step " << i;
        }
        EXPECT_TRUE(game.startsWith(MovesMade())) << MovesMade().toStdString();
        Stop();
    }
}

TEST_F(CommandsWindowTest, ReplayShowsTheGameAgainAndEndsWithTheReportOfTheReplayedGame) {
    Store("HUMAN vs HUMAN", "1");
    Start();
    for (int x = 1; x <= 5; ++x) {
        Click(x, 1);
        if (x == 2) { // counted in the game's report, not in the replay's
            Items().Undo1->trigger();
            Items().Redo1->trigger();
        }
        if (x < 5) {
            Click(x, 2);
        }
    }
    const QString game = MovesMade();
    Items().Replay1->trigger();
    EXPECT_EQ(Ports->Reports,
              QStringList({"Player 1: 9 moves, hints 0, undo 2, comments 0, switched No, stone "
                           "#00ffff/#000000; ----H",
                           "Player 1: 9 moves, hints 0, undo 0, comments 0, switched No, stone "
                           "#00ffff/#000000; ----H"}));
    EXPECT_EQ(MovesMade(), game);
    EXPECT_EQ(State(), "9/9/9 over, undo 0, hints 0, --APH, asked 0, reports 2");
}

TEST_F(CommandsWindowTest, SaveAndLoadBringBackTheGameAfterPlayMovedOn) {
    Start();
    Save("new.rnr");
    const TSavedGame fresh = ReadSavedGame(Dir.filePath("new.rnr"));
    EXPECT_EQ(std::tuple(fresh.MoveCount, fresh.LastMoveX, fresh.LastMoveY, fresh.Play.UndoEnabled,
                         fresh.Play.HumanHuman),
              std::tuple(0, -1, -1, true, false));
    Click(10, 10);
    Click(5, 5);
    Items().Undo1->trigger();
    Items().Hint1->trigger();
    Click(1, 1, Qt::RightButton);
    Items().PopupMenu1->close();
    Play.GameStartTime -= 65 * OneSecond;
    Form->Timer1Timer();
    const double clock = Form->TimeElapsed->DateTime();
    const QString game = MovesMade();
    const QImage board = Board();
    Save("game.rnr");

    // Play on to the end in the other mode; the report closes Undo and Redo.
    Store("HUMAN vs HUMAN", "1");
    Options->FormActivate();
    Items().AutoPlay1->trigger();
    Load("game.rnr");
    EXPECT_EQ(State(), "2/2/2 W, undo 1, hints 1, URAPH, asked 1, reports 1");
    EXPECT_EQ(MovesMade(), game);
    EXPECT_TRUE(Board() == board);
    EXPECT_EQ(Play.CommentsUsedCount, 1);
    EXPECT_NEAR(Form->TimeElapsed->DateTime() / OneSecond, clock / OneSecond, 2);
    EXPECT_EQ(Stored("HUMAN vs HUMAN"), "0");
    EXPECT_TRUE(Options->HumanComputer());

    // Nothing of the games played since can be redone; the loaded game plays on.
    Items().Redo1->trigger();
    Click(1, 19);
    EXPECT_EQ(Game.MoveCount, 4);
}

TEST_F(CommandsWindowTest, ALoadAnsweredNoOrAShortFileLeavesTheGameAsItWas) {
    Start();
    WriteGame("short.rnr", {{3, 3}});
    QFile::resize(Dir.filePath("short.rnr"), 4367);
    Click(10, 10);
    const QString game = MovesMade();
    Answers->ConfirmAnswers = {false};
    Load("short.rnr");
    Load("short.rnr");
    EXPECT_EQ(State(), "2/2/2 W, undo 0, hints 0, URAPH, asked 2, reports 0, error Read beyond "
                       "end of file.");
    EXPECT_EQ(MovesMade(), game);
    Click(1, 1);
    EXPECT_EQ(Game.MoveCount, 4);
}

TEST_F(CommandsWindowTest, TheReportNamesTheWinnerWithTheStoneOrATie) {
    struct Row {
        std::vector<std::pair<const char*, const char*>> Stored;
        std::function<void()> Play;
        const char* Report;
    };
    const Row rows[] = {
        {{{"HUMAN vs HUMAN", "1"}},
         [this] {
             Game.UntouchedWindows = 1; // the next stone into fresh windows leaves none open
             Items().SwitchSides1->trigger();
         },
         "Tie Game: 1 moves, hints 0, undo 0, comments 0, switched Yes, stone none; ----H"},
        // A file with five in a row is reported as it loads.
        {{{"PLAYER1 COLOR", "0"}, {"1st NAME", "Ann"}},
         [this] {
             WriteGame("won.rnr",
                       {{3, 3}, {1, 9}, {4, 3}, {2, 9}, {5, 3}, {3, 9}, {6, 3}, {4, 9}, {7, 3}}, 1);
             Load("won.rnr");
         },
         "Ann: 9 moves, hints 1, undo 0, comments 0, switched No, stone #000000/#00ffff; ----H"},
        {{{"PLAYER1 COLOR", "0"}},
         [this] {
             WriteGame("four.rnr",
                       {{1, 1}, {3, 15}, {1, 3}, {4, 15}, {1, 5}, {5, 15}, {1, 7}, {6, 15}});
             Load("four.rnr");
             Ports->CloseWithEnter = true;
             Click(2, 15); // blocks one end; the computer completes the other
         },
         "Rennor King: 10 moves, hints 0, undo 0, comments 0, switched No, stone "
         "#00ffff/#000000; ----H"},
    };
    for (const Row& row : rows) {
        SetUp();
        for (auto [name, text] : row.Stored) {
            Store(name, text);
        }
        Start();
        row.Play();
        EXPECT_EQ(Ports->Reports, QStringList{row.Report});
        EXPECT_EQ(Commands(), "--APH");
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        Stop();
    }
}

} // namespace

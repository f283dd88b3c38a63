// The Game and Controls commands in the main window: Auto Play and what is given while it runs,
// Hint, Switch Sides, Undo, Redo and Replay, Save and Load with real files, and the report of
// each way a game ends.
#include "WindowTestSupport.h"

#include "storage/SavedGameFile.h"

#include <QFile>
#include <QRegularExpression>

namespace {

class CommandsWindowTest : public WindowTest {
protected:
    // Auto Play at this speed, with item given once the loop has run for ms milliseconds.
    void AutoPlayWith(const char* speed, QAction* TMainMenuItems::*item, int ms) {
        StartWith({{"AUTOPLAY SPEED", speed}});
        QTimer::singleShot(ms, [this, item] { (Items().*item)->trigger(); });
        Items().AutoPlay1->trigger();
        EXPECT_FALSE(Play.AutoPlaying);
    }
    // State() when the game is over after Auto Play: the moves made, shown and on the board.
    static QString Over(const char* rest) {
        const QString n = QString::number(Game.MoveCount);
        return Line(n, n, n, "over undo 0 hints 0 --APH", rest);
    }
    void Command(QAction* TMainMenuItems::*item, const char* file) {
        Answers->FileNames = {Dir.filePath(file)};
        (Items().*item)->trigger();
    }
    // A saved game of these moves, black first, with Undo and Redo enabled.
    void WriteGame(const char* file, std::vector<std::pair<int, int>> squares, int hints = 0) {
        TSavedGame saved;
        for (auto [x, y] : squares) {
            const TStoneColor c = saved.MoveCount % 2 ? WhiteStone : BlackStone;
            saved.Moves[++saved.MoveCount] = {c, x, y};
        }
        std::tie(saved.LastMoveX, saved.LastMoveY) = squares.back();
        saved.Play.UndoEnabled = saved.Play.RedoEnabled = true;
        saved.Play.HintsUsedCount = hints;
        WriteSavedGame(Dir.filePath(file), saved);
    }
    static qsizetype Reds(const QImage& image) {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(rgb.constBits());
        return std::count(pixels, pixels + rgb.width() * rgb.height(), qRgb(255, 0, 0));
    }
    QTemporaryDir Dir;
};

TEST_F(CommandsWindowTest, AutoPlayAsksPlaysToTheReportAndAfterItStartsWithoutAQuestion) {
    Start();
    Items().AutoPlay1->trigger();
    EXPECT_EQ(Answers->Questions, QStringList{"Do You Wish To Cancel Current Game ?"});
    EXPECT_EQ(State(), Over("asked 1 reports 1"));
    EXPECT_TRUE(Ports->Reports[0].startsWith("Rennor King: " + QString::number(Game.MoveCount)) ||
                Ports->Reports[0].startsWith("Player 1: " + QString::number(Game.MoveCount)));
    Items().AutoPlay1->trigger();
    EXPECT_EQ(State(), Over("asked 1 reports 2"));
}

TEST_F(CommandsWindowTest, NewGameDuringAutoPlaysPauseLeavesAFreshGameForTheHuman) {
    AutoPlayWith("0", &TMainMenuItems::NewGame1, 100);
    EXPECT_EQ(State(), "0 0 0 W undo 0 hints 0 --APH asked 2 reports 0");
    Click(10, 10);
    EXPECT_EQ(Game.MoveCount, 2);
}

TEST_F(CommandsWindowTest, ConfirmedExitDuringAutoPlayEndsTheLoopAndClosesTheWindow) {
    QApplication::setQuitOnLastWindowClosed(false); // the test program goes on
    AutoPlayWith("0", &TMainMenuItems::Exit1, 100);
    EXPECT_TRUE(Play.Closing && !Form->isVisible());
    EXPECT_EQ(Line(Game.MoveCount <= 1, Answers->ExitQuestions, Ports->Reports.size()), "true 1 0");
}

TEST_F(CommandsWindowTest, AutoPlayGivenDuringAutoPlayRunsOneGameToItsEnd) {
    AutoPlayWith("8", &TMainMenuItems::AutoPlay1, 20);
    EXPECT_EQ(State(), Over("asked 2 reports 1"));
}

TEST_F(CommandsWindowTest, HintFlashesTheHintColourOnItsSquareAndCountsEachHint) {
    Start();
    Click(10, 10);
    QImage during;
    QTimer::singleShot(150, [&] { during = Board(); });
    Items().Hint1->trigger();
    Items().Hint1->trigger();
    EXPECT_EQ(State(), "2 2 2 W undo 0 hints 2 URAPH asked 0 reports 0");
    EXPECT_EQ(Line(Reds(during) > 100, Reds(Board())), "true 0");
    // The flash: the hint colour inside a black ring, then the square as it was.
    QTimer::singleShot(150, [&] { during = Board(); });
    Form->FlashHintSquare(7, 3);
    const QImage after = Board();
    EXPECT_EQ(Line(Pixel(during, 7, 3, 9, 9), Pixel(during, 7, 3, 1, 1), Pixel(after, 7, 3, 9, 9),
                   Pixel(after, 7, 3, 1, 1)),
              "ff0000 000000 808080 808080");
}

TEST_F(CommandsWindowTest, SwitchSidesHandsTheHumanTheOtherColour) {
    StartWith({{"PLAYER1 COLOR", "0"}}); // the human, moving first, has black
    Items().SwitchSides1->trigger();
    Click(3, 3);
    EXPECT_TRUE(QRegularExpression("^B\\d+,\\d+ W3,3 B\\d+,\\d+$").match(MovesMade()).hasMatch())
        << MovesMade().toStdString();
    EXPECT_TRUE(Play.SidesSwitched);
}

TEST_F(CommandsWindowTest, UndoAndRedoStepByTurnAgainstTheComputerAndByMoveBetweenHumans) {
    struct Row {
        const char *Humans, *WhoFirst;
        std::vector<std::pair<int, int>> Clicks;
        const char *Commands, *After; // U for Undo, R for Redo; State() after each
    };
    for (const Row& row : std::initializer_list<Row>{
             {"0",
              "1st Player is First",
              {{10, 10}, {4, 4}},
              "UUURRR",
              "2 2 2 W undo 1|0 0 0 W undo 2|0 0 0 W undo 2|2 2 2 W undo 3|4 4 4 W undo 4|4 4 "
              "4 W undo 4"},
             // The computer's lone opening stone stays.
             {"0", "2nd Player is First", {{3, 3}}, "UU", "1 1 1 W undo 1|1 1 1 W undo 1"},
             {"1",
              "1st Player is First",
              {{5, 5}, {6, 6}, {7, 7}},
              "UURRR",
              "2 2 2 W undo 1|1 1 1 B undo 2|2 2 2 W undo 3|3 3 3 B undo 4|3 3 3 B undo 4"}}) {
        StartWith({{"HUMAN vs HUMAN", row.Humans}, {"WHO IS FIRST", row.WhoFirst}});
        for (auto [X, Y] : row.Clicks) {
            Click(X, Y);
        }
        const QString game = MovesMade();
        QStringList after;
        for (char command : std::string(row.Commands)) {
            (command == 'U' ? Items().Undo1 : Items().Redo1)->trigger();
            after << State().section(' ', 0, 5);
        }
        EXPECT_EQ(after.join('|'), row.After);
        EXPECT_TRUE(game.startsWith(MovesMade())) << MovesMade().toStdString();
    }
}

TEST_F(CommandsWindowTest, ReplayShowsTheGameAgainAndEndsWithTheReportOfTheReplayedGame) {
    StartWith({{"HUMAN vs HUMAN", "1"}});
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
    EXPECT_EQ(Ports->Reports, QStringList({"Player 1: 9 0 2 0 No #00ffff/#000000 ----H",
                                           "Player 1: 9 0 0 0 No #00ffff/#000000 ----H"}));
    EXPECT_EQ(MovesMade(), game);
    EXPECT_EQ(State(), "9 9 9 over undo 0 hints 0 --APH asked 0 reports 2");
}

TEST_F(CommandsWindowTest, SaveAndLoadBringBackTheGameAfterPlayMovedOn) {
    Start();
    Command(&TMainMenuItems::SaveGame1, "new.rnr");
    const TSavedGame fresh = ReadSavedGame(Dir.filePath("new.rnr"));
    EXPECT_EQ(Line(fresh.MoveCount, fresh.LastMoveX, fresh.LastMoveY, fresh.Play.UndoEnabled,
                   fresh.Play.HumanHuman),
              "0 -1 -1 true false");
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
    Command(&TMainMenuItems::SaveGame1, "game.rnr");

    // Play on to the end in the other mode; the report closes Undo and Redo.
    Store("HUMAN vs HUMAN", "1");
    Options->FormActivate();
    Items().AutoPlay1->trigger();
    Command(&TMainMenuItems::LoadGame1, "game.rnr");
    EXPECT_EQ(State(), "2 2 2 W undo 1 hints 1 URAPH asked 1 reports 1");
    EXPECT_TRUE(MovesMade() == game && Board() == board);
    EXPECT_NEAR(Form->TimeElapsed->DateTime() / OneSecond, clock / OneSecond, 2);
    EXPECT_EQ(Line(Play.CommentsUsedCount, Stored("HUMAN vs HUMAN"), Options->HumanComputer()),
              "1 0 true");
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
    Command(&TMainMenuItems::LoadGame1, "short.rnr");
    Command(&TMainMenuItems::LoadGame1, "short.rnr");
    EXPECT_EQ(State(),
              "2 2 2 W undo 0 hints 0 URAPH asked 2 reports 0 error Read beyond end of file.");
    EXPECT_EQ(MovesMade(), game);
    Click(1, 1);
    EXPECT_EQ(Game.MoveCount, 4);
}

TEST_F(CommandsWindowTest, TheReportNamesTheWinnerWithTheStoneOrATie) {
    StartWith({{"HUMAN vs HUMAN", "1"}});
    Game.UntouchedWindows = 1; // the next stone into fresh windows leaves none open
    Items().SwitchSides1->trigger();
    QStringList reports = Ports->Reports;
    // A file with five in a row is reported as it loads.
    StartWith({{"PLAYER1 COLOR", "0"}, {"1st NAME", "Ann"}});
    WriteGame("won.rnr", {{3, 3}, {1, 9}, {4, 3}, {2, 9}, {5, 3}, {3, 9}, {6, 3}, {4, 9}, {7, 3}},
              1);
    Command(&TMainMenuItems::LoadGame1, "won.rnr");
    reports += Ports->Reports;
    StartWith({{"PLAYER1 COLOR", "0"}});
    WriteGame("four.rnr", {{1, 1}, {3, 15}, {1, 3}, {4, 15}, {1, 5}, {5, 15}, {1, 7}, {6, 15}});
    Command(&TMainMenuItems::LoadGame1, "four.rnr");
    Ports->CloseWithEnter = true;
    Click(2, 15); // blocks one end; the computer completes the other
    EXPECT_EQ(
        reports + Ports->Reports,
        QStringList({"Tie Game: 1 0 0 0 Yes none ----H", "Ann: 9 1 0 0 No #000000/#00ffff ----H",
                     "Rennor King: 10 0 0 0 No #00ffff/#000000 ----H"}));
    EXPECT_EQ(Line(Commands(), QApplication::activeModalWidget() == nullptr), "--APH true");
}

} // namespace

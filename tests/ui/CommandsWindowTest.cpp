// The Game and Controls commands in the main window: Auto Play and what is given while it runs,
// Hint, Switch Sides, Undo, Redo and Replay, Save and Load with real files, and the report of
// each way a game ends.
#include "WindowTestSupport.h"

#include <QFile>

namespace {

class CommandsWindowTest : public WindowTest {
protected:
    // State() when Auto Play has ended the game.
    static QString Over(const char* rest) {
        const int n = Game.MoveCount;
        return Line(n, n, n, "over undo 0 hints 0 --APH", rest);
    }
    void Command(QAction* item, const char* file) {
        Ports->FileNames = {Dir.filePath(file)};
        item->trigger();
    }
    static qsizetype Reds(const QImage& image) {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(rgb.constBits());
        return std::count(pixels, pixels + rgb.width() * rgb.height(), qRgb(255, 0, 0));
    }
    QTemporaryDir Dir;
};

TEST_F(CommandsWindowTest, ConfirmedExitDuringAutoPlayEndsTheLoopAndClosesTheWindow) {
    QApplication::setQuitOnLastWindowClosed(false); // the test program goes on
    StartWith({{"AUTOPLAY SPEED", "0"}});
    QTimer::singleShot(100, [this] { Do("X"); });
    Do("A");
    EXPECT_EQ(Line(Play.AutoPlaying, Play.Closing, Form->isVisible(), Game.MoveCount <= 1,
                   Ports->ExitQuestions, Ports->Reports.size()),
              "false true false true 1 0");
}

// Auto Play then asks, plays to the report, and after it starts without a question.
TEST_F(CommandsWindowTest, HintFlashesTheHintColourOnItsSquareAndCountsEachHintThenAutoPlay) {
    Start();
    QImage red; // the board as last seen with a square in the hint colour
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (const QImage board = Board(); Reds(board) > 100) {
            red = board;
        }
    });
    sampler.start(25);
    Do("10,10 H H");
    EXPECT_EQ(State(), "2 2 2 W undo 0 hints 2 URAPH asked 0 reports 0");
    EXPECT_EQ(Line(red.isNull(), Reds(Board())), "false 0"); // flashed, then as it was
    sampler.stop();
    Do("A");
    EXPECT_EQ(Line(Ports->Questions.join('|'), State()),
              Line("Do You Wish To Cancel Current Game ?", Over("asked 1 reports 1")));
    EXPECT_EQ(Ports->Reports[0].section(' ', -7, -7), QString::number(Game.MoveCount));
    Do("A");
    EXPECT_EQ(State(), Over("asked 1 reports 2"));
}

TEST_F(CommandsWindowTest, UndoAndRedoStepByTurnAgainstTheComputerAndByMoveBetweenHumans) {
    for (auto [humans, first, clicks, commands, after] :
         {std::tuple{"0", "1st", "10,10 4,4", "U U U R R R",
                     "2 2 2 W undo 1|0 0 0 W undo 2|0 0 0 W undo 2|2 2 2 W undo 3|4 4 4 W "
                     "undo 4|4 4 4 W undo 4"},
          // The computer's lone opening stone stays.
          {"0", "2nd", "3,3", "U U", "1 1 1 W undo 1|1 1 1 W undo 1"},
          {"1", "1st", "5,5 6,6 7,7", "U U R R R",
           "2 2 2 W undo 1|1 1 1 B undo 2|2 2 2 W undo 3|3 3 3 B undo 4|3 3 3 B undo 4"}}) {
        StartWith(
            {{"HUMAN vs HUMAN", humans},
             {"WHO IS FIRST", first[0] == '1' ? "1st Player is First" : "2nd Player is First"}});
        Do(clicks);
        const QString game = MovesMade();
        QStringList seen;
        for (const QString& command : QString(commands).split(' ')) {
            Do(command);
            seen << State().section(' ', 0, 5);
        }
        EXPECT_EQ(seen.join('|'), after);
        EXPECT_TRUE(game.startsWith(MovesMade())) << MovesMade().toStdString();
    }
}

TEST_F(CommandsWindowTest, SaveAndLoadBringBackTheGameAfterPlayMovedOn) {
    Start();
    Command(Items().SaveGame1, "new.rnr");
    const TSavedGame fresh = ReadSavedGame(Dir.filePath("new.rnr"));
    EXPECT_EQ(Line(fresh.MoveCount, fresh.LastMoveX, fresh.LastMoveY, fresh.Play.UndoEnabled,
                   fresh.Play.HumanHuman),
              "0 -1 -1 true false");
    Do("10,10 5,5 U H");
    Click(1, 1, Qt::RightButton);
    Items().PopupMenu1->close();
    Play.GameStartTime -= 65 * OneSecond;
    Form->Timer1Timer();
    const double clock = Form->TimeElapsed->DateTime();
    const QString game = MovesMade();
    const QImage board = Board();
    Command(Items().SaveGame1, "game.rnr");

    // Play on to the end in the other mode; the report closes Undo and Redo.
    Store("HUMAN vs HUMAN", "1");
    Options->FormActivate();
    Do("A");
    Command(Items().LoadGame1, "game.rnr");
    // The game, its board and its clock to two seconds; the loaded mode is stored.
    EXPECT_EQ(Line(State(), MovesMade() == game && Board() == board,
                   std::abs(Form->TimeElapsed->DateTime() - clock) <= 2 * OneSecond,
                   Play.CommentsUsedCount, Stored("HUMAN vs HUMAN"), Options->HumanComputer()),
              "2 2 2 W undo 1 hints 1 URAPH asked 1 reports 1 true true 1 0 true");
    Do("R 1,19"); // nothing of the games played since can be redone; the loaded game plays on
    EXPECT_EQ(Game.MoveCount, 4);
}

TEST_F(CommandsWindowTest, ALoadAnsweredNoOrAShortFileLeavesTheGameAsItWas) {
    Start();
    WriteGame(Dir.filePath("short.rnr"), {{3, 3}});
    QFile::resize(Dir.filePath("short.rnr"), 4367);
    Do("10,10");
    const QString game = MovesMade();
    Ports->ConfirmAnswers = {false};
    Command(Items().LoadGame1, "short.rnr");
    Command(Items().LoadGame1, "short.rnr");
    EXPECT_EQ(Line(MovesMade() == game, State()),
              "true 2 2 2 W undo 0 hints 0 URAPH asked 2 reports 0 error Read beyond end of file.");
    Do("1,1");
    EXPECT_EQ(Game.MoveCount, 4);
}

// Replay shows the game again and ends with the report of the replayed game.
TEST_F(CommandsWindowTest, ReplayAndTheReportNameTheWinnerWithTheStoneOrATie) {
    StartWith({{"HUMAN vs HUMAN", "1"}});
    Do("1,1 1,2 2,1 U R 2,2 3,1 3,2 4,1 4,2 5,1"); // undo counts in the game's report only
    const QString game = MovesMade();
    Do("P");
    EXPECT_EQ(Line(MovesMade() == game, State()),
              "true 9 9 9 over undo 0 hints 0 --APH asked 0 reports 2");
    QStringList reports = Ports->Reports;
    StartWith({{"HUMAN vs HUMAN", "1"}});
    Game.UntouchedWindows = 1; // the next stone into fresh windows leaves none open
    Do("W");
    reports += Ports->Reports;
    // A file with five in a row is reported as it loads.
    StartWith({{"PLAYER1 COLOR", "0"}, {"1st NAME", "Ann"}});
    WriteGame(Dir.filePath("won.rnr"),
              {{3, 3}, {1, 9}, {4, 3}, {2, 9}, {5, 3}, {3, 9}, {6, 3}, {4, 9}, {7, 3}}, BlackStone,
              1);
    Command(Items().LoadGame1, "won.rnr");
    reports += Ports->Reports;
    StartWith({{"PLAYER1 COLOR", "0"}});
    WriteGame(Dir.filePath("four.rnr"),
              {{1, 1}, {3, 15}, {1, 3}, {4, 15}, {1, 5}, {5, 15}, {1, 7}, {6, 15}});
    Command(Items().LoadGame1, "four.rnr");
    Ports->CloseWithEnter = true;
    Do("2,15"); // blocks one end; the computer completes the other
    EXPECT_EQ(
        reports + Ports->Reports,
        QStringList({"Player 1: 9 0 2 0 No #00ffff/#000000 ----H",
                     "Player 1: 9 0 0 0 No #00ffff/#000000 ----H",
                     "Tie Game: 1 0 0 0 Yes none ----H", "Ann: 9 1 0 0 No #000000/#00ffff ----H",
                     "Rennor King: 10 0 0 0 No #00ffff/#000000 ----H"}));
    EXPECT_EQ(Line(Commands(), QApplication::activeModalWidget() == nullptr), "--APH true");
}

} // namespace

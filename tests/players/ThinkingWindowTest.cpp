// The chosen computer player in the real window: every Game and Controls command given while it
// thinks, Rennor Emperor or an external engine under its own name.
#include "FakeBrain.h"
#include "WindowTestSupport.h"

#include "game/ComputerTurn.h"
#include "game/GameReport.h"

#include <QDoubleSpinBox>

namespace {

class ThinkingWindowTest : public WindowTest {
protected:
    QString NameOf(TStoneColor c) const {
        return (c == WhiteStone ? Form->MainName1 : Form->MainName2)->text();
    }
    const QTemporaryDir Dir;
};

TEST_F(ThinkingWindowTest, EveryCommandGivenWhileTheComputerThinksLeavesEachSideItsOwnColour) {
    QApplication::setQuitOnLastWindowClosed(false); // the test program outlives Exit
    File = Dir.filePath("two moves.rnr");
    WriteGame(File, {{10, 10}, {11, 11}}); // black to move
    const std::pair<const char*, const char*> players[] = {{"Rennor Emperor", nullptr},
                                                           {"External engine", RENNOR_BRAIN}};
    // Steps that set the computer thinking, a command (steps given 200 ms into it), and after it:
    // moves, undo used, sides switched, hints, file dialogs.
    const struct {
        const char *Thinking, *Command, *Later, *Expected;
    } cases[] = {
        {"10,10", "N", "", "0 0 false 0 0"},          {"10,10", "no N", "", "1 0 false 0 0"},
        {"10,10", "L", "", "2 0 false 0 1"},          {"10,10", "S", "", "1 0 false 0 0"},
        {"10,10", "O", "CancelBtn", "1 0 false 0 0"}, {"10,10", "A", "N", "0 0 false 0 0"},
        {"10,10", "P", "", "1 0 false 0 0"},          {"10,10", "W", "", "1 0 false 0 0"},
        {"10,10", "H", "", "1 0 false 0 0"},          {"10,10", "U", "", "0 1 false 0 0"},
        {"10,10", "U R", "", "1 2 false 0 0"},        {"L W", "U", "", "1 1 true 0 1"},
        {"L W", "U R", "", "2 2 true 0 1"},           {"10,10", "X", "", "1 0 false 0 0"},
    };
    for (auto [player, engine] : players) {
        for (auto [thinking, command, later, expected] : cases) {
            SCOPED_TRACE(Line(player, thinking, command).toStdString());
            // A quiet position takes all of a minute.
            StartWith({{"COMPUTER PLAYER", player},
                       {"ENGINE PATH", engine ? engine : ""},
                       {"MOVE TIME", "60000"}});
            // An engine's own name comes with its answer to ABOUT.
            ASSERT_TRUE(QTest::qWaitFor([this] { return NameOf(BlackStone) == "Rennor Emperor"; }));
            Do(thinking);
            ASSERT_TRUE(ComputerThinking());
            Do("3,3"); // a click while the computer thinks is no move, nor is a rating shown
            Click(3, 3, Qt::RightButton);
            EXPECT_FALSE(Items().PopupMenu1->isVisible());
            QTimer::singleShot(200, Form.get(), [this, later] { Do(later); });
            Do(command);
            EXPECT_EQ(Line(Game.MoveCount, Play.UndoUsedCount, Play.SidesSwitched,
                           Play.HintsUsedCount, Ports->FileDialogTitles.size()),
                      expected);
            if (!Form->isVisible()) {
                EXPECT_FALSE(ComputerThinking());
                continue;
            }
            // Whose move it is by the names beside the stones, whether the computer thinks, and
            // the status bar once the pointer crossed a tool button and the board.
            QTest::mouseMove(Form->NewGameButton);
            QTest::mouseMove(&Grid(), SquareCentre(1, 1));
            const QString turn = Line(NameOf(Game.ColorToMove) == Options->SecondPlayerLabel(),
                                      ComputerThinking(), Form->StatusBar->text());
            EXPECT_TRUE(turn == "false false " + Grid().statusTip() ||
                        turn == "true true Rennor Emperor is thinking...")
                << turn.toStdString();
            // Rennor King plays on for the computer and the human fills the first empty squares
            // until the game ends: each click places the human's colour, and the report names
            // who placed the five.
            InstallComputerPlayer(nullptr);
            bool humanWon = false;
            for (int i = 0; !IsGameOver(); ++i) {
                const int X = i % BoardSize + 1, Y = i / BoardSize + 1, before = Game.MoveCount;
                if (Game.Board[X][Y] == NoStone) {
                    Click(X, Y);
                    ASSERT_EQ(NameOf(Game.Moves[before + 1].Color), Options->FirstPlayerLabel());
                    humanWon = Game.MoveCount == before + 1;
                }
            }
            EXPECT_EQ(Line(Ports->Reports.value(0).section(':', 0, 0), GameReportNow().ComputerWon),
                      Line(humanWon ? Options->FirstPlayerLabel() : Options->SecondPlayerLabel(),
                           !humanWon));
        }
    }
}

// What an external engine hears while the game is played through the window: each game begins
// with START and the time per move from the options, each position it did not play itself comes
// square by square, and a changed time starts it afresh.
TEST_F(ThinkingWindowTest, TheEngineHearsEveryGameFromItsStartAndEveryPositionWhole) {
    // It answers every question on the next square of the top row.
    const QString program = WriteBrain(
        Dir, "recorder", "about() { echo 'name=\"Recorder\"'; }; move() { echo $((n - 1)),0; }");
    File = Dir.filePath("two moves.rnr");
    WriteGame(File, {{5, 6}, {7, 8}}, WhiteStone); // white to move
    QFile log(program + ".log");
    qint64 seen = 0;
    QString heard;
    // The step, then what the engine heard since the last one.
    const auto step = [&](const QString& steps, int moves) {
        Do(steps);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return Game.MoveCount == moves && !ComputerThinking(); }, 10000))
            << steps.toStdString();
        heard += "[" + steps + "] ";
        if (log.open(QIODevice::ReadOnly) && log.seek(seen)) {
            heard += QString::fromLatin1(log.readAll()).remove('\r').replace('\n', ' ');
            seen = log.pos();
        }
        log.close();
    };
    StartWith({{"COMPUTER PLAYER", "External engine"},
               {"ENGINE PATH", program.toLatin1().constData()},
               {"MOVE TIME", "700"}});
    ASSERT_TRUE(QTest::qWaitFor([this] { return NameOf(BlackStone) == "Recorder"; }, 10000));
    for (auto [steps, moves] : {std::pair{"", 0},
                                {"10,10", 2},
                                {"10,11", 4},
                                {"U", 2},
                                {"12,12", 4},
                                {"N", 0},
                                {"10,10", 2},
                                {"L", 2},
                                {"W", 3}}) {
        step(steps, moves);
    }
    ShowOptions("ComputerPlayer");
    Control<QDoubleSpinBox>("MoveTimeBox")->setValue(1.5);
    step("OKBtn 1,19", 5);
    const QString start = "START 19 INFO timeout_turn 700 INFO timeout_match 0 INFO rule 0 ";
    // The engines it ended hear END at their own pace, while the next one starts.
    EXPECT_EQ(heard.remove("END").simplified(),
              "[] " + start + "ABOUT [10,10] TURN 9,9 [10,11] TURN 9,10 [U] [12,12] " + start +
                  "BOARD 9,9,2 0,0,1 11,11,2 DONE [N] [10,10] " + start +
                  "BOARD 9,9,2 DONE [L] [W] " + start +
                  "BOARD 4,5,1 6,7,2 DONE [OKBtn 1,19] START 19 INFO timeout_turn 1500 "
                  "INFO timeout_match 0 INFO rule 0 ABOUT BOARD 4,5,1 6,7,2 4,0,1 0,18,2 "
                  "DONE");
}

} // namespace

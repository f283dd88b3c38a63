// The chosen computer player in the real window: every Game and Controls command given while it
// thinks, and an external engine's name and answer.
#include "WindowTestSupport.h"

#include "game/ComputerTurn.h"
#include "players/ExternalPlayer.h"
#include "storage/SavedGameFile.h"

#include <QToolButton>

namespace {

class ThinkingWindowTest : public WindowTest {
protected:
    // Do's steps, and: L loads Saved, S saves, O opens the options, Esc closes the open dialog,
    // "no" answers the next question No.
    void Steps(const QString& steps) {
        for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
            if (step == "no") {
                Answers->ConfirmAnswers.push_back(false);
            } else if (step == "Esc") {
                QApplication::activeModalWidget()->close();
            } else if (const int i = QStringLiteral("LSO").indexOf(step);
                       step.size() == 1 && i >= 0) {
                Answers->FileNames = {Saved};
                QList<QAction*>{Items().LoadGame1, Items().SaveGame1, Items().Options1}[i]
                    ->trigger();
            } else {
                Do(step);
            }
        }
    }
    // A saved game between the human and the computer: black at 10,10, white at 11,11.
    void WriteSaved() {
        TSavedGame saved;
        saved.Moves[1] = {BlackStone, 10, 10};
        saved.Moves[2] = {WhiteStone, 11, 11};
        saved.MoveCount = 2;
        saved.LastMoveX = saved.LastMoveY = 11;
        saved.Play.UndoEnabled = saved.Play.RedoEnabled = true;
        WriteSavedGame(Saved, saved);
    }
    QString NameOf(TStoneColor c) const {
        return (c == WhiteStone ? Form->MainName1 : Form->MainName2)->text();
    }
    // Whose move it is by the names beside the stones, and what the window shows of it once the
    // pointer crossed a tool button and the board: the computer thinks exactly on its own turns,
    // and the status bar says so.
    QString Turn() {
        QTest::mouseMove(Form->NewGameButton);
        QTest::mouseMove(&Grid(), SquareCentre(1, 1));
        const bool computers = NameOf(Game.ColorToMove) == Options->SecondPlayerLabel();
        return Line(computers ? "computer's turn," : "human's turn,", ComputerThinking(),
                    Form->StatusBar->text());
    }
    // Rennor King plays on for the computer and the human fills the first empty squares until the
    // game ends: each click places the human's colour, and the report names who placed the five.
    void PlayToTheEnd() {
        InstallComputerPlayer(nullptr);
        QString placedFive;
        for (int i = 0; !IsGameOver(); ++i) {
            const int X = i % BoardSize + 1, Y = i / BoardSize + 1;
            if (Game.Board[X][Y] != NoStone) {
                continue;
            }
            const int before = Game.MoveCount;
            Click(X, Y);
            ASSERT_GT(Game.MoveCount, before);
            ASSERT_EQ(NameOf(Game.Moves[before + 1].Color), Options->FirstPlayerLabel());
            placedFive = Game.MoveCount == before + 1 ? Options->FirstPlayerLabel()
                                                      : Options->SecondPlayerLabel();
        }
        ASSERT_FALSE(Ports->Reports.isEmpty());
        EXPECT_EQ(Ports->Reports.back().section(':', 0, 0),
                  Game.FiveMade ? placedFive : "Tie Game");
    }
    const QTemporaryDir Dir;
    const QString Saved = Dir.filePath("two moves.rnr");
};

TEST_F(ThinkingWindowTest, EveryCommandGivenWhileTheComputerThinksLeavesEachSideItsOwnColour) {
    QApplication::setQuitOnLastWindowClosed(false); // the test program outlives Exit
    WriteSaved();
    const std::pair<const char*, const char*> players[] = {{"Rennor Emperor", nullptr},
                                                           {"External engine", RENNOR_BRAIN}};
    // Steps that set the computer thinking, a command (steps given 200 ms into it), and after it:
    // moves, undo used, sides switched, hints, file dialogs.
    const struct {
        const char *Thinking, *Command, *Later, *Expected;
    } cases[] = {
        {"10,10", "N", "", "0 0 false 0 0"},    {"10,10", "no N", "", "1 0 false 0 0"},
        {"10,10", "L", "", "2 0 false 0 1"},    {"10,10", "S", "", "1 0 false 0 0"},
        {"10,10", "O", "Esc", "1 0 false 0 0"}, {"10,10", "A", "N", "0 0 false 0 0"},
        {"10,10", "P", "", "1 0 false 0 0"},    {"10,10", "W", "", "1 0 false 0 0"},
        {"10,10", "H", "", "1 0 false 0 0"},    {"10,10", "U", "", "0 1 false 0 0"},
        {"10,10", "U R", "", "1 2 false 0 0"},  {"L W", "U", "", "1 1 true 0 1"},
        {"L W", "U R", "", "2 2 true 0 1"},     {"10,10", "X", "", "1 0 false 0 0"},
    };
    for (auto [player, engine] : players) {
        for (auto [thinking, command, later, expected] : cases) {
            SCOPED_TRACE(Line(player, thinking, command).toStdString());
            // A quiet position takes all of a minute.
            StartWith({{"COMPUTER PLAYER", player},
                       {"ENGINE PATH", engine ? engine : ""},
                       {"MOVE TIME", "60000"}});
            ASSERT_TRUE(
                QTest::qWaitFor([] { return ComputerPlayer().Name() == "Rennor Emperor"; }));
            Steps(thinking);
            ASSERT_TRUE(ComputerThinking());
            Steps("3,3"); // a click while the computer thinks is no move
            QTimer::singleShot(200, Form.get(), [this, later] { Steps(later); });
            Steps(command);
            EXPECT_EQ(Line(Game.MoveCount, Play.UndoUsedCount, Play.SidesSwitched,
                           Play.HintsUsedCount, Answers->FileDialogTitles.size()),
                      expected);
            if (!Form->isVisible()) {
                EXPECT_FALSE(ComputerThinking());
                continue;
            }
            const QString turn = Turn();
            EXPECT_TRUE(turn == "human's turn, false " + Grid().statusTip() ||
                        turn == "computer's turn, true Rennor Emperor is thinking...")
                << turn.toStdString();
            PlayToTheEnd();
        }
    }
}

TEST_F(ThinkingWindowTest, AnExternalEngineShowsItsOwnNameAndAnswers) {
    StartWith({{"COMPUTER PLAYER", "External engine"},
               {"ENGINE PATH", RENNOR_BRAIN},
               {"MOVE TIME", "300"}});
    EXPECT_NE(dynamic_cast<TExternalPlayer*>(&ComputerPlayer()), nullptr);
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return Form->MainName2->text() == "Rennor Emperor"; }, 10000));
    EXPECT_EQ(Options->SecondPlayerLabel(), "Rennor Emperor");
    Do("10,10");
    ASSERT_TRUE(QTest::qWaitFor([] { return Game.MoveCount == 2; }, 10000));
    EXPECT_TRUE(Answers->Errors.isEmpty());
}

} // namespace

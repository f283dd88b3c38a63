// The game's commands without windows: the history rules, and how the long commands meet the
// commands given while they pump events.
#include "GameFlowTestSupport.h"

#include "game/ComputerCommands.h"
#include "game/GameFiles.h"
#include "game/MoveHistory.h"
#include "game/SpeedPause.h"

#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <tuple>

namespace {

class CommandsTest : public GameFlowTest {
protected:
    // Runs action once the command under test is pumping events, which it does from its start.
    static void During(const std::function<void()>& action, int ms = 0) {
        QTimer::singleShot(ms, action);
    }
    // Human against human, black's five along the top row; white plays the row below.
    void PlayBlackFive() {
        StoredHumanHumanValue = true;
        Options.Computer = false;
        for (int col = 0; col < 5; ++col) {
            ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, col, 0));
            if (col < 4) {
                ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, col, 1));
            }
        }
        ASSERT_TRUE(Game.FiveMade);
    }
    std::vector<TMoveRecord> MoveList() const {
        return {Game.Moves + 1, Game.Moves + 1 + Game.MoveCount};
    }
};

bool SameMoves(const std::vector<TMoveRecord>& a, const std::vector<TMoveRecord>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.Color == y.Color && x.X == y.X && x.Y == y.Y;
    });
}

TEST_F(CommandsTest, PausesGrowFiftyMillisecondsPerStepBelowTheFastest) {
    // An edited store cannot make it longer or negative.
    EXPECT_EQ(std::tuple(SpeedPauseMs(9), SpeedPauseMs(8), SpeedPauseMs(0), SpeedPauseMs(-3),
                         SpeedPauseMs(12)),
              std::tuple(0, 50, 450, 450, 0));
}

TEST_F(CommandsTest, UndoAgainstTheComputerReadsOnlyTheCaptionsFirstCharacter) {
    Options.WhoFirst = QStringLiteral("Whoever");
    ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, 9, 9));
    ASSERT_EQ(Game.MoveCount, 2);
    Undo1Click();
    EXPECT_EQ(Game.MoveCount, 2);
    EXPECT_EQ(Play.UndoUsedCount, 0);
    EXPECT_EQ(View.MovesShown, 2);
}

TEST_F(CommandsTest, AMoveAfterUndoLeavesNothingToRedo) {
    StoredHumanHumanValue = true;
    Options.Computer = false;
    for (int col : {3, 5, 7}) {
        ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, col, 9));
    }
    Undo1Click();
    Undo1Click();
    ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, 12, 12));
    Redo1Click();
    EXPECT_EQ(Game.MoveCount, 2);
    EXPECT_EQ(Game.Board[6][10], NoStone);
    EXPECT_EQ(Play.UndoUsedCount, 2);
}

TEST_F(CommandsTest, UndoingTheFiveReopensTheBoardAndRedoClosesItAgain) {
    PlayBlackFive();
    EXPECT_TRUE(Game.GameFinished);
    Undo1Click();
    EXPECT_FALSE(Game.GameFinished);
    EXPECT_FALSE(IsGameOver());
    Redo1Click();
    EXPECT_TRUE(Game.GameFinished);
    EXPECT_FALSE(CellGridMouseDown(Qt::LeftButton, 9, 9));
    EXPECT_EQ(Ports.GameReports, 1); // Redo puts the five back without a second report
}

TEST_F(CommandsTest, NewGameDuringAReplayStopsItAndLeavesTheNewGame) {
    PlayBlackFive();
    Live.ReplaySpeed = 0;
    During([] { NewGame1Click(true); }, 100);
    Replay1Click();
    EXPECT_EQ(Ports.Questions.size(), 1);
    EXPECT_EQ(Game.MoveCount, 0);
    EXPECT_FALSE(Game.GameFinished);
    EXPECT_EQ(Ports.GameReports, 1); // only the game's own
}

TEST_F(CommandsTest, SwitchSidesDuringAReplayLeavesTheRecordedGameAlone) {
    PlayBlackFive();
    const auto recorded = MoveList();
    Live.ReplaySpeed = 7;
    During([] { SwitchSides1Click(); }, 20);
    Replay1Click();
    EXPECT_TRUE(SameMoves(MoveList(), recorded));
    EXPECT_FALSE(Play.SidesSwitched);
    EXPECT_EQ(Ports.GameReports, 2);
}

TEST_F(CommandsTest, AutoPlayDuringAReplayEndsTheReplayAndPlaysItsOwnGame) {
    PlayBlackFive();
    Live.ReplaySpeed = 0;
    During([] { AutoPlay1Click(); }, 100);
    Replay1Click();
    EXPECT_EQ(Ports.Questions.size(), 1); // the replay's position was running
    EXPECT_EQ(Ports.GameReports, 2); // the game's and the auto-play game's; none from the replay
    EXPECT_TRUE(IsGameOver());
    EXPECT_FALSE(Play.AutoPlaying);
    EXPECT_EQ(Game.MoveCount, Game.MovesRecorded); // the auto-play game's end, not a replay step
}

TEST_F(CommandsTest, ALoadDuringAutoPlayEndsTheLoop) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("empty.rnr"));
    Ports.FileNames = {file};
    SaveGame1Click();
    Live.AutoPlaySpeed = 0;
    Ports.FileNames = {file};
    During([] { LoadGame1Click(); }, 100);
    AutoPlay1Click();
    EXPECT_FALSE(Play.AutoPlaying);
    EXPECT_EQ(Game.MoveCount, 0);
    EXPECT_TRUE(Ports.Errors.isEmpty());
}

} // namespace

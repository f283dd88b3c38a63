// The game's commands without windows: the history rules, and how the long commands meet the
// commands given while they pump events.
#include "GameFlowTestSupport.h"

#include "game/ComputerCommands.h"
#include "game/GameFiles.h"
#include "game/MoveHistory.h"
#include "game/SpeedPause.h"

#include <QTemporaryDir>
#include <QTimer>
#include <cstring>
#include <tuple>

namespace {

class CommandsTest : public GameFlowTest {
protected:
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
    // Replays black's five at speed and gives command once the replay has pumped events for ms.
    TGameState ReplayGiving(void (*command)(), int speed, int ms) {
        PlayBlackFive();
        const TGameState recorded = Game;
        Live.ReplaySpeed = speed;
        QTimer::singleShot(ms, command);
        Replay1Click();
        return recorded;
    }
};

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
    EXPECT_EQ(std::tuple(Game.MoveCount, Play.UndoUsedCount, View.MovesShown), std::tuple(2, 0, 2));
}

TEST_F(CommandsTest, UndoReopensTheFiveRedoClosesItAndAMoveEndsWhatCouldBeRedone) {
    PlayBlackFive();
    Undo1Click();
    EXPECT_FALSE(Game.GameFinished || IsGameOver());
    Redo1Click();
    EXPECT_TRUE(Game.GameFinished);
    EXPECT_FALSE(CellGridMouseDown(Qt::LeftButton, 9, 9));
    EXPECT_EQ(Ports.GameReports, 1); // Redo puts the five back without a second report
    Undo1Click();
    Undo1Click();
    ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, 12, 12));
    Redo1Click();
    EXPECT_EQ(std::tuple(Game.MoveCount, Game.Board[5][1], Play.UndoUsedCount),
              std::tuple(8, NoStone, 4));
}

TEST_F(CommandsTest, NewGameDuringAReplayStopsItAndLeavesTheNewGame) {
    ReplayGiving([] { NewGame1Click(true); }, 0, 100);
    EXPECT_EQ(std::tuple(Ports.Questions.size(), Game.MoveCount, Game.GameFinished),
              std::tuple(1, 0, false));
    EXPECT_EQ(Ports.GameReports, 1); // only the game's own
}

TEST_F(CommandsTest, SwitchSidesDuringAReplayLeavesTheRecordedGameAlone) {
    const TGameState recorded = ReplayGiving(SwitchSides1Click, 7, 20);
    EXPECT_EQ(std::memcmp(Game.Board, recorded.Board, sizeof Game.Board), 0);
    EXPECT_EQ(std::tuple(Game.MoveCount, Play.SidesSwitched, Ports.GameReports),
              std::tuple(9, false, 2));
}

TEST_F(CommandsTest, AutoPlayDuringAReplayEndsTheReplayAndPlaysItsOwnGame) {
    ReplayGiving(AutoPlay1Click, 0, 100);
    // The replay's position was running; reports of the game and the auto-play game, none of
    // the replay.
    EXPECT_EQ(std::tuple(Ports.Questions.size(), Ports.GameReports, IsGameOver(), Play.AutoPlaying),
              std::tuple(1, 2, true, false));
    EXPECT_EQ(Game.MoveCount, Game.MovesRecorded); // the auto-play game's end, not a replay step
}

TEST_F(CommandsTest, ALoadDuringAutoPlayEndsTheLoop) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("empty.rnr"));
    Ports.FileNames = {file, file}; // saved, then loaded
    SaveGame1Click();
    Live.AutoPlaySpeed = 0;
    QTimer::singleShot(100, LoadGame1Click);
    AutoPlay1Click();
    EXPECT_EQ(std::tuple(Play.AutoPlaying, Game.MoveCount, Ports.Errors.size()),
              std::tuple(false, 0, 0));
}

} // namespace

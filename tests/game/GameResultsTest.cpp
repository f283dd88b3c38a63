// Results and saved games as a player meets them: who won, counters and clock at their limits,
// files that cannot have been played or are no files, and names typed without ".rnr".
#include "GameFlowTestSupport.h"

#include "game/ComputerCommands.h"
#include "game/GameFiles.h"
#include "game/GameReport.h"
#include "storage/SavedGameFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

using TNames = std::pair<QString, QString>; // white, black

// A saved game of these moves, black first.
TSavedGame SavedMoves(std::initializer_list<std::pair<int, int>> squares) {
    TSavedGame saved;
    TStoneColor c = BlackStone;
    for (auto [x, y] : squares) {
        saved.Moves[++saved.MoveCount] = TMoveRecord{c, x, y};
        c = Opponent(c);
    }
    return saved;
}

class GameResultsTest : public GameFlowTest {
protected:
    void TearDown() override {
        LoadHooks = {};
        GameFlowTest::TearDown();
    }
    void Load(const QString& path) {
        Ports.FileNames = {path};
        LoadGame1Click();
    }
    QTemporaryDir Dir;
};

TEST_F(GameResultsTest, NamesFollowTheColourEachSideActuallyPlays) {
    // Ann holds white against the computer; after Switch Sides the computer plays white.
    ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, 9, 9));
    SwitchSides1Click();
    EXPECT_EQ(View.Names, TNames("Rennor King", "Ann"));
    Game.FiveMade = true;
    Game.Winner = WhiteStone;
    EXPECT_EQ(GameReportNow().WinnerName, "Rennor King");
    EXPECT_TRUE(GameReportNow().ComputerWon);

    // A game saved with black to move: Ann holds black, whatever the options give her.
    NewGame1Click(false);
    EXPECT_EQ(View.Names, TNames("Ann", "Rennor King"));
    const QString path = Dir.filePath("black to move.rnr");
    WriteSavedGame(path, SavedMoves({{1, 1}, {2, 2}}));
    Load(path);
    EXPECT_EQ(View.Names, TNames("Rennor King", "Ann"));
    ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, 4, 4));
    EXPECT_EQ(Game.Board[5][5], BlackStone);
}

TEST_F(GameResultsTest, CountersAndTheClockStayInRangeWhateverTheyHold) {
    Play.HintsUsedCount = std::numeric_limits<std::int32_t>::max();
    Hint1Click();
    EXPECT_EQ(Play.HintsUsedCount, std::numeric_limits<std::int32_t>::max());
    for (double start : {-3e300, -HUGE_VAL, std::nan("")}) {
        Play.GameStartTime = start;
        Play.ClockTime = 0.5;
        const int ms = MsUntilNextClockSecond();
        EXPECT_TRUE(ms >= 1 && ms <= 1001) << start << ": " << ms;
    }
    EXPECT_EQ(FormatLongTime(1e300), "2500000000000:00:00");
    EXPECT_EQ(FormatLongTime(std::nan("")), "00:00:00");
}

TEST_F(GameResultsTest, ImpossibleGamesAndFilesThatAreNoFilesLeaveGameAndStoreAlone) {
    int storeWrites = 0;
    LoadHooks.StoreHumanHuman = [&](bool) { ++storeWrites; };
#ifdef Q_OS_UNIX
    const QString pipe = Dir.filePath("pipe.rnr");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
#endif
    const char* const overError = "Move 10 of the saved game comes after the game was over";
    const char* const clockError = "The saved game clock is not a valid time";
    const struct {
        std::function<void(TSavedGame&)> Change; // of black's five on row 3 at move 9
        QString File;                            // instead: a file that is no saved game
        const char* Error;
    } cases[] = {
        {[](TSavedGame& g) {
             g.Moves[++g.MoveCount] = {WhiteStone, 10, 10};
         },
         {},
         overError},
        {[](TSavedGame& g) {
             g.Moves[++g.MoveCount] = {WhiteStone, 5, 4};
         },
         {},
         overError},
        {[](TSavedGame& g) { g.Moves[2].Color = BlackStone; },
         {},
         "Move 2 of the saved game has the colour of the move before it"},
        {[](TSavedGame& g) { g.Play.UndoUsedCount = -5; },
         {},
         "The saved game has a negative undo count"},
        {[](TSavedGame& g) { g.Play.CommentsUsedCount = -1; },
         {},
         "The saved game has a negative comment count"},
        {[](TSavedGame& g) { g.Play.ElapsedTime = -1 / 86400.0; }, {}, clockError},
        {[](TSavedGame& g) { g.Play.ElapsedTime = MaxSavedClockDays + 1; }, {}, clockError},
        {[](TSavedGame& g) { g.Play.ElapsedTime = 1e300; }, {}, clockError},
#ifdef Q_OS_UNIX
        {nullptr, pipe, "File access denied"}, // opened, it would wait for a writer
        {nullptr, QStringLiteral("/dev/zero"), "File access denied"},
#endif
        {nullptr, Dir.path(), "File access denied"},
    };
    ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, 9, 9));
    const TGameState before = Game;
    for (const auto& c : cases) {
        QString path = c.File;
        if (c.Change) {
            TSavedGame saved = SavedMoves(
                {{1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 3}, {3, 4}, {4, 3}, {4, 4}, {5, 3}});
            c.Change(saved);
            path = Dir.filePath(QStringLiteral("bad.rnr"));
            WriteSavedGame(path, saved);
        }
        Ports.Errors.clear();
        Load(path);
        EXPECT_EQ(Ports.Errors, QStringList{WithFullStop(c.Error)}) << c.Error;
        EXPECT_EQ(std::memcmp(Game.Board, before.Board, sizeof Game.Board), 0);
        EXPECT_EQ(Game.MoveCount, 2);
    }
    EXPECT_EQ(storeWrites, 0);
}

TEST_F(GameResultsTest, ANameWithoutExtensionMeansItsRnrFile) {
    const QString typed = Dir.filePath("game1");
    Ports.FileNames = {typed};
    SaveGame1Click();
    EXPECT_TRUE(QFileInfo(typed + ".rnr").isFile());
    EXPECT_FALSE(QFileInfo::exists(typed));
    EXPECT_TRUE(Ports.Questions.isEmpty());

    // Saving over it asks first; No keeps the file.
    ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, 9, 9));
    Ports.FileNames = {typed};
    Ports.ConfirmAnswers = {false};
    SaveGame1Click();
    EXPECT_EQ(Ports.Questions,
              QStringList{"game1.rnr already exists.\nDo you want to replace it?"});

    // Loading the bare name finds the file, also with its extension in capitals.
    Load(typed);
    EXPECT_EQ(Game.MoveCount, 0);
    ASSERT_TRUE(QFile::rename(typed + ".rnr", typed + ".RNR"));
    ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, 3, 3));
    Load(typed);
    EXPECT_EQ(Game.MoveCount, 0);
    EXPECT_TRUE(Ports.Errors.isEmpty());
}

} // namespace

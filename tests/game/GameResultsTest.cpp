// Saved games as a player meets them: games that cannot have been played, files that are no
// files, and names typed without ".rnr".
#include "GameFlowTestSupport.h"

#include "game/GameFiles.h"
#include "storage/SavedGameFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

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

TEST_F(GameResultsTest, GamesThatCannotHaveBeenPlayedAndFilesThatAreNoFilesChangeNothing) {
    int storeWrites = 0;
    LoadHooks.StoreHumanHuman = [&](bool) { ++storeWrites; };
    ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, 9, 9));
    const TGameState before = Game;
    const auto expectRefused = [&](const QString& path, const QString& error) {
        Ports.Errors.clear();
        Load(path);
        EXPECT_EQ(Ports.Errors, QStringList{WithFullStop(error)}) << error.toStdString();
        EXPECT_EQ(std::memcmp(Game.Board, before.Board, sizeof Game.Board), 0);
        EXPECT_EQ(Game.MoveCount, 2);
    };
    // Changes to black's five on row 3 at move 9, white answering on row 4: a refusal of each
    // kind that needs the moves (the storage tests hold each field's bounds).
    TSavedGame five;
    for (int i = 0; i < 9; ++i) {
        five.Moves[++five.MoveCount] =
            TMoveRecord{i % 2 ? WhiteStone : BlackStone, 1 + i / 2, 3 + i % 2};
    }
    using TChange = void (*)(TSavedGame&);
    const QString over = QStringLiteral("Move 10 of the saved game comes after the game was over");
    const std::pair<TChange, QString> games[] = {
        {[](auto& g) { g.Moves[3].Color = 3; }, "Move 3 of the saved game has no stone colour"},
        {[](auto& g) { g.Moves[2].Color = BlackStone; },
         "Move 2 of the saved game has the colour of the move before it"},
        {[](auto& g) { g.Moves[3] = g.Moves[1]; },
         "Move 3 of the saved game is on square 1:3, which is taken"},
        {[](auto& g) { g.Moves[++g.MoveCount] = TMoveRecord(WhiteStone, 5, 4); }, over}}; // a five
    const QString bad = Dir.filePath(QStringLiteral("bad.rnr"));
    for (const auto& [change, error] : games) {
        TSavedGame saved = five;
        change(saved);
        WriteSavedGame(bad, saved);
        expectRefused(bad, error);
    }
    // Opened, a pipe would wait for a writer and a device would never end.
#ifdef Q_OS_UNIX
    const QString pipe = Dir.filePath("pipe.rnr");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    expectRefused(pipe, "File access denied");
    expectRefused("/dev/zero", "File access denied");
#endif
    expectRefused(Dir.path(), "File access denied");
    EXPECT_EQ(storeWrites, 0);
}

TEST_F(GameResultsTest, ANameWithoutExtensionMeansItsRnrFile) {
    const QString typed = Dir.filePath("game1");
    Ports.FileNames = {typed, typed}; // both saves
    SaveGame1Click();
    EXPECT_EQ(std::tuple(QFileInfo(typed + ".rnr").isFile(), QFileInfo::exists(typed),
                         Ports.Questions.size()),
              std::tuple(true, false, 0));

    // Saving over it asks first; No keeps the file.
    ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, 9, 9));
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
    EXPECT_EQ(std::tuple(Game.MoveCount, Ports.Errors.size()), std::tuple(0, 0));
}

} // namespace

// Save Game and Load Game in the main window, with real files.
#include "CommandsTestSupport.h"

#include <QFile>
#include <cstring>

namespace {

class GameFilesWindowTest : public CommandsWindowTest {
protected:
    QString Path(const char* name) const { return Dir.filePath(QString::fromLatin1(name)); }
    void Save(const QString& path) {
        Answers->FileNames = {path};
        Items().SaveGame1->trigger();
    }
    void Load(const QString& path) {
        Answers->FileNames = {path};
        Items().LoadGame1->trigger();
    }
    static std::int32_t IntAt(const QByteArray& bytes, int offset) {
        std::int32_t v = 0;
        std::memcpy(&v, bytes.constData() + offset, sizeof v);
        return v;
    }
    // The stones on the board, square by square.
    static std::vector<TStoneColor> Stones() {
        std::vector<TStoneColor> stones;
        for (int X = 1; X <= BoardSize; ++X) {
            stones.insert(stones.end(), Game.Board[X] + 1, Game.Board[X] + 1 + BoardSize);
        }
        return stones;
    }
    QTemporaryDir Dir;
};

TEST_F(GameFilesWindowTest, ANewGameSavesAsAnEmptyImage) {
    Open();
    Save(Path("new.rnr"));
    QFile file(Path("new.rnr"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.size(), 4368);
    EXPECT_EQ(IntAt(bytes, 0), 0);
    EXPECT_EQ(IntAt(bytes, 4), -1);
    EXPECT_EQ(IntAt(bytes, 8), -1);
    EXPECT_EQ(bytes[33], 1); // Undo enabled
    EXPECT_EQ(bytes[35], 0); // against the computer
    ASSERT_EQ(Ports->Specs.size(), 1u);
    EXPECT_EQ(Ports->Specs[0].Title, "Save current game to:");
    EXPECT_EQ(Ports->Specs[0].Filter, "Rennor .RNR files|*.rnr");
    EXPECT_EQ(Ports->Specs[0].DefaultSuffix, "RNR");
    EXPECT_TRUE(Answers->Errors.isEmpty());
}

TEST_F(GameFilesWindowTest, LoadBringsBackTheSavedGameAfterPlayMovedOn) {
    Open();
    Click(10, 10);
    Click(5, 5);
    Items().Undo1->trigger();
    Items().Hint1->trigger();
    Play.GameStartTime -= 65 / 86400.0; // a minute into the game
    Form->Timer1Timer();
    const double savedClock = Form->TimeElapsed->DateTime();
    const std::vector<TStoneColor> position = Stones();
    Save(Path("game.rnr"));

    // Play on to the end in the other mode; the report closes Undo and Redo.
    Store("HUMAN vs HUMAN", QStringLiteral("1"));
    Options->FormActivate();
    Items().AutoPlay1->trigger();
    ASSERT_TRUE(IsGameOver());
    ASSERT_FALSE(Enabled(Items().Undo1));

    Load(Path("game.rnr"));
    EXPECT_EQ(Answers->Questions.size(), 1); // Auto Play's; the finished game needs none
    EXPECT_EQ(Stones(), position);
    EXPECT_EQ(Game.MoveCount, 2);
    EXPECT_EQ(MovesShown(), 2);
    EXPECT_EQ(Play.UndoUsedCount, 1);
    EXPECT_EQ(Play.HintsUsedCount, 1);
    EXPECT_NEAR(Form->TimeElapsed->DateTime() * 86400, savedClock * 86400, 2);
    EXPECT_TRUE(Enabled(Items().Undo1) && Enabled(Items().Redo1));
    EXPECT_EQ(Stored("HUMAN vs HUMAN"), "0");
    EXPECT_TRUE(Options->HumanComputer());
    EXPECT_FALSE(Game.GameFinished);

    // Nothing of the games played since can be redone; the loaded game plays on.
    Items().Redo1->trigger();
    EXPECT_EQ(Game.MoveCount, 2);
    Click(1, 19);
    EXPECT_EQ(Game.MoveCount, 4);
}

TEST_F(GameFilesWindowTest, AFileWithFiveInARowShowsTheReportOnLoad) {
    Open();
    WriteGameFile(Path("won.rnr"),
                  {{3, 3}, {1, 9}, {4, 3}, {2, 9}, {5, 3}, {3, 9}, {6, 3}, {4, 9}, {7, 3}});
    Load(Path("won.rnr"));
    ASSERT_EQ(Ports->Reports.size(), 1u);
    EXPECT_EQ(Ports->Reports[0].Moves, "9");
    EXPECT_TRUE(Game.GameFinished);
    EXPECT_EQ(Game.Winner, BlackStone);
}

TEST_F(GameFilesWindowTest, ALoadAnsweredNoOrAShortFileLeavesTheGameAsItWas) {
    Open();
    WriteGameFile(Path("short.rnr"), {{3, 3}});
    QFile::resize(Path("short.rnr"), 4367);
    Click(10, 10);
    const std::vector<TStoneColor> position = Stones();

    Answers->ConfirmAnswers = {false};
    Load(Path("short.rnr"));
    Load(Path("short.rnr"));
    EXPECT_EQ(Answers->Questions.size(), 2);
    EXPECT_EQ(Answers->Errors, QStringList{"Read beyond end of file."});
    EXPECT_EQ(Stones(), position);
    EXPECT_EQ(Game.MoveCount, 2);
    EXPECT_TRUE(Enabled(Items().Undo1) && Enabled(Items().Redo1));
    Click(1, 1);
    EXPECT_EQ(Game.MoveCount, 4);
}

} // namespace

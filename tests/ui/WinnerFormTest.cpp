// The game-over report as the main window shows it after a tie, a human's win and the computer's.
#include "CommandsTestSupport.h"

namespace {

class WinnerFormTest : public CommandsWindowTest {
protected:
    // Loads moves into the running window as the Load Game command does.
    void LoadMoves(std::initializer_list<std::pair<int, int>> squares) {
        const QString path = Dir.filePath(QStringLiteral("position.rnr"));
        WriteGameFile(path, squares);
        Answers->FileNames = {path};
        Items().LoadGame1->trigger();
        ASSERT_EQ(Game.MoveCount, static_cast<int>(squares.size()));
    }
    // The closed report leaves Auto Play and Replay to the user, and Undo and Redo to New Game.
    void ExpectCommandsAfterTheReport() const {
        const TReportSeen& seen = Ports->Reports.back();
        for (const auto& [command, enabled] : seen.EnabledWhileOpen) {
            EXPECT_FALSE(enabled) << static_cast<int>(command);
        }
        EXPECT_TRUE(Enabled(Items().AutoPlay1) && Enabled(Items().Replay1));
        EXPECT_FALSE(Enabled(Items().Undo1) || Enabled(Items().Redo1));
    }
    QTemporaryDir Dir;
};

QColor PixelAt(const TReportSeen& seen, int x, int y) {
    return seen.Picture.pixelColor(x, y);
}

TEST_F(WinnerFormTest, ATieShowsTheLayoutTheCaptionsAndNoStone) {
    Store("HUMAN vs HUMAN", QStringLiteral("1"));
    Open();
    Game.UntouchedWindows = 1; // the next stone into fresh windows leaves none open
    Items().SwitchSides1->trigger();
    ASSERT_EQ(Ports->Reports.size(), 1u);
    const TReportSeen& seen = Ports->Reports[0];
    EXPECT_EQ(seen.Title, "Game Over:");
    EXPECT_EQ(seen.ClientSize, QSize(332, 229));
    EXPECT_EQ(seen.Winner, "Tie Game");
    EXPECT_FALSE(seen.StoneShown);
    EXPECT_EQ(seen.Moves, "1");
    EXPECT_EQ(seen.Switched, "Yes");
    EXPECT_EQ(seen.Hints + seen.Undo + seen.Comments, "000");
    const std::vector<std::pair<QPoint, QString>> captions = {
        {{16, 48}, "Moves Done     : "}, {{16, 72}, "Time Taken     : "},
        {{16, 96}, "Hints Used     :"},  {{16, 120}, "Undo Used      :"},
        {{16, 144}, "Comments Used  :"}, {{16, 168}, "Switched Sides :"}};
    EXPECT_EQ(seen.Captions, captions);
    EXPECT_EQ(PixelAt(seen, 3, 3), QColor(Qt::black));
    EXPECT_EQ(PixelAt(seen, 100, 40), QColor(128, 128, 128)); // a bevel's shadow line
    EXPECT_EQ(PixelAt(seen, 100, 41), QColor(Qt::white));
    ExpectCommandsAfterTheReport();
}

TEST_F(WinnerFormTest, TheHumansWinShowsTheirNameAndABlackStoneWithAnAquaRim) {
    Store("PLAYER1 COLOR", QStringLiteral("0"));
    Store("1st NAME", QStringLiteral("Ann"));
    Open();
    LoadMoves({{3, 10}, {1, 1}, {4, 10}, {1, 3}, {5, 10}, {1, 5}, {6, 10}, {1, 7}});
    Items().Hint1->trigger();
    Click(7, 10);
    ASSERT_EQ(Ports->Reports.size(), 1u);
    const TReportSeen& seen = Ports->Reports[0];
    EXPECT_EQ(seen.Winner, "Ann");
    EXPECT_EQ(seen.Moves, "9");
    EXPECT_EQ(seen.Hints, "1");
    ASSERT_TRUE(seen.StoneShown);
    EXPECT_EQ(seen.StoneBrush, QColor(Qt::black));
    EXPECT_EQ(seen.StonePen, QColor(0, 255, 255));
    EXPECT_EQ(PixelAt(seen, 88 + 12, 12 + 10), QColor(Qt::black)); // the disc's centre
    const QColor rim = PixelAt(seen, 88 + 2, 12 + 10);
    EXPECT_GT(rim.green(), 128);
    EXPECT_GT(rim.blue(), 128);
    EXPECT_LT(rim.red(), 64);
    ExpectCommandsAfterTheReport();
}

TEST_F(WinnerFormTest, TheComputersWinNamesItWithAnAquaStoneAndEnterCloses) {
    Store("PLAYER1 COLOR", QStringLiteral("0"));
    Open();
    LoadMoves({{1, 1}, {3, 15}, {1, 3}, {4, 15}, {1, 5}, {5, 15}, {1, 7}, {6, 15}});
    Ports->CloseWithEnter = true;
    Click(2, 15); // blocks one end; the computer completes the other
    ASSERT_EQ(Ports->Reports.size(), 1u);
    const TReportSeen& seen = Ports->Reports[0];
    EXPECT_EQ(seen.Winner, "Rennor King");
    EXPECT_EQ(seen.Moves, "10");
    EXPECT_EQ(seen.StoneBrush, QColor(0, 255, 255));
    EXPECT_EQ(seen.StonePen, QColor(Qt::black));
    EXPECT_EQ(PixelAt(seen, 88 + 12, 12 + 10), QColor(0, 255, 255));
    EXPECT_FALSE(QApplication::activeModalWidget());
    ExpectCommandsAfterTheReport();
}

} // namespace

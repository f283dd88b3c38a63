// Auto Play, Switch Sides and Hint in the main window, with the commands given while they run.
#include "CommandsTestSupport.h"

namespace {

using AutoPlayWindowTest = CommandsWindowTest;

const QColor HintRed(255, 0, 0); // the default hint colour

TEST_F(AutoPlayWindowTest, AFullSpeedGameAsksFirstAndEndsWithTheReport) {
    Open();
    Items().AutoPlay1->trigger();
    EXPECT_EQ(Answers->Questions, QStringList{"Do You Wish To Cancel Current Game ?"});
    ASSERT_EQ(Ports->Reports.size(), 1u);
    EXPECT_EQ(Ports->Reports[0].Moves, QString::number(Game.MoveCount));
    EXPECT_TRUE(IsGameOver());
    EXPECT_FALSE(Play.AutoPlaying);
    EXPECT_FALSE(Enabled(Items().Undo1) || Enabled(Items().Redo1));

    // From a finished game it starts without a question.
    Items().AutoPlay1->trigger();
    EXPECT_EQ(Answers->Questions.size(), 1);
    EXPECT_EQ(Ports->Reports.size(), 2u);
}

TEST_F(AutoPlayWindowTest, NewGameDuringThePauseLeavesAFreshGameWithoutUndo) {
    Store("AUTOPLAY SPEED", QStringLiteral("0"));
    Open();
    During([this] { Items().NewGame1->trigger(); }, 100);
    Items().AutoPlay1->trigger();
    EXPECT_EQ(Answers->Questions.size(), 2); // Auto Play's and New Game's
    EXPECT_FALSE(Play.AutoPlaying);
    EXPECT_EQ(Game.MoveCount, 0);
    EXPECT_TRUE(Ports->Reports.empty());
    EXPECT_FALSE(Enabled(Items().Undo1) || Enabled(Items().Redo1));
    Click(10, 10); // the human plays on, the computer answers
    EXPECT_EQ(Game.MoveCount, 2);
}

TEST_F(AutoPlayWindowTest, ConfirmedExitEndsTheLoopAndClosesTheWindow) {
    Store("AUTOPLAY SPEED", QStringLiteral("0"));
    Open();
    QApplication::setQuitOnLastWindowClosed(false); // the test program goes on
    During([this] { Items().Exit1->trigger(); }, 100);
    Items().AutoPlay1->trigger();
    QApplication::setQuitOnLastWindowClosed(true);
    EXPECT_EQ(Answers->ExitQuestions, 1);
    EXPECT_TRUE(Play.Closing);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_FALSE(Play.AutoPlaying);
    EXPECT_LE(Game.MoveCount, 1);
    EXPECT_TRUE(Ports->Reports.empty());
}

TEST_F(AutoPlayWindowTest, AutoPlayGivenDuringAutoPlayRunsOneGameToItsEnd) {
    Store("AUTOPLAY SPEED", QStringLiteral("8"));
    Open();
    During([this] { Items().AutoPlay1->trigger(); }, 20);
    Items().AutoPlay1->trigger();
    EXPECT_EQ(Answers->Questions.size(), 2);
    ASSERT_EQ(Ports->Reports.size(), 1u);
    EXPECT_TRUE(IsGameOver());
    EXPECT_FALSE(Play.AutoPlaying);
    EXPECT_EQ(Ports->Reports[0].Moves, QString::number(Game.MoveCount));
}

TEST_F(AutoPlayWindowTest, TwoHintsCountTwoAndLeaveNoHintColour) {
    Open();
    Click(10, 10);
    int redWhileFlashing = 0;
    During([&] { redWhileFlashing = BoardPixelsOf(HintRed); }, 100);
    Items().Hint1->trigger();
    Items().Hint1->trigger();
    EXPECT_GT(redWhileFlashing, 100);
    EXPECT_EQ(Play.HintsUsedCount, 2);
    EXPECT_EQ(BoardPixelsOf(HintRed), 0);
    EXPECT_TRUE(Enabled(Items().Hint1));
    EXPECT_EQ(Game.MoveCount, 2);
}

TEST_F(AutoPlayWindowTest, SwitchSidesHandsTheHumanTheOtherColour) {
    Store("PLAYER1 COLOR", QStringLiteral("0")); // the human, moving first, has black
    Open();
    Items().SwitchSides1->trigger();
    ASSERT_EQ(Game.MoveCount, 1);
    EXPECT_EQ(Game.Moves[1].Color, BlackStone);
    Click(3, 3);
    ASSERT_EQ(Game.MoveCount, 3);
    EXPECT_EQ(Game.Board[3][3], WhiteStone);
    EXPECT_EQ(Game.Moves[3].Color, BlackStone);
    EXPECT_TRUE(Play.SidesSwitched);
}

} // namespace

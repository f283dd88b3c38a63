// A game played through the real main window: clicks, answers, new games, the end of a game.
#include "MainFormTestSupport.h"

#include "game/GameFlow.h"
#include "widgets/DateTimeValue.h"

#include <QAction>
#include <QMenu>

namespace {

TEST_F(MainFormTest, AClickIsAnsweredByTheComputer) {
    Start();
    Click(5, 5);
    EXPECT_EQ(Game.Board[5][5], WhiteStone); // the first player has white and moves first
    EXPECT_EQ(Form->MovesDone->Value(), 2);
    EXPECT_EQ(StonesOnBoard(), 2);
    EXPECT_EQ(Game.Moves[2].Color, BlackStone);
    EXPECT_EQ(Game.ColorToMove, WhiteStone);
}

TEST_F(MainFormTest, ClicksThatAreNoMovesDoNothing) {
    Start();
    Click(5, 5);
    ASSERT_EQ(Game.MoveCount, 2);
    Click(5, 5);                  // occupied
    Click(7, 7, Qt::RightButton); // the rating button
    Form->Menu.PopupMenu1->close();
    Click(8, 8, Qt::MiddleButton);                                      // any other button
    QTest::mouseClick(&Grid(), Qt::LeftButton, Qt::NoModifier, {1, 1}); // the border, no cell
    EXPECT_EQ(Game.MoveCount, 2);
    EXPECT_EQ(Form->MovesDone->Value(), 2);
    EXPECT_TRUE(Scripted->Errors.isEmpty());
    EXPECT_TRUE(Scripted->Questions.isEmpty());
}

TEST_F(MainFormTest, TwoHumansAlternateAndTheComputerNeverMoves) {
    Store("HUMAN vs HUMAN", QStringLiteral("1"));
    Start();
    Click(1, 1);
    Click(2, 1);
    Click(3, 1);
    EXPECT_EQ(Game.MoveCount, 3);
    EXPECT_EQ(Game.Board[1][1], WhiteStone);
    EXPECT_EQ(Game.Board[2][1], BlackStone);
    EXPECT_EQ(Game.Board[3][1], WhiteStone);
    EXPECT_EQ(Form->MovesDone->Value(), 3);
}

TEST_F(MainFormTest, SecondPlayerFirstPutsTheComputersStoneDownAtOnce) {
    Store("WHO IS FIRST", QStringLiteral("2nd Player is First"));
    Start();
    EXPECT_EQ(Form->MovesDone->Value(), 1);
    EXPECT_EQ(Game.Board[10][10], BlackStone); // the computer holds black and opens centrally
    EXPECT_EQ(Game.ColorToMove, WhiteStone);
}

TEST_F(MainFormTest, NewGameAsksOnlyWhileAGameRunsAndNoChangesNothing) {
    Start();
    Click(5, 5);
    Scripted->ConfirmAnswers = {false};
    Form->Menu.NewGame1->trigger();
    EXPECT_EQ(Scripted->Questions, QStringList{"Do You Wish To Cancel Current Game ?"});
    EXPECT_EQ(Game.MoveCount, 2);
    EXPECT_EQ(Form->MovesDone->Value(), 2);

    Form->NewGameButton->click(); // the tool button asks as well; Yes starts afresh
    EXPECT_EQ(Scripted->Questions.size(), 2);
    EXPECT_EQ(Game.MoveCount, 0);
    EXPECT_EQ(Form->MovesDone->Value(), 0);

    Game.FiveMade = true; // a finished game is dropped without a question
    Form->Menu.NewGame1->trigger();
    EXPECT_EQ(Scripted->Questions.size(), 2);
    EXPECT_FALSE(Game.FiveMade);
}

TEST_F(MainFormTest, AWonGameIsReportedStopsTheClockAndClosesTheBoard) {
    Store("HUMAN vs HUMAN", QStringLiteral("1"));
    Start();
    for (int X = 1; X <= 4; ++X) {
        Click(X, 1);
        Click(X, 3);
    }
    EXPECT_EQ(Scripted->GameReports, 0);
    Click(5, 1);
    EXPECT_EQ(Scripted->GameReports, 1);
    EXPECT_TRUE(Game.FiveMade);
    EXPECT_EQ(Game.Winner, WhiteStone);

    Form->Timer1Timer();
    const double final = Form->TimeElapsed->DateTime();
    Play.GameStartTime -= 30 * OneSecond;
    Form->Timer1Timer();
    EXPECT_EQ(Form->TimeElapsed->DateTime(), final);

    Click(10, 10);
    EXPECT_EQ(Game.MoveCount, 9);
    Form->BlinkTimerTimer();
    Form->BlinkTimerTimer();
    EXPECT_TRUE(Form->NoughtImage->isVisible() && Form->CrossImage->isVisible());
}

TEST_F(MainFormTest, TheClockRunsFromTheStartOfTheGame) {
    Start();
    Play.GameStartTime -= 65 * OneSecond;
    Form->Timer1Timer();
    EXPECT_NEAR(Form->TimeElapsed->DateTime() / OneSecond, 65, 2);
}

TEST_F(MainFormTest, TheRatingMenuShowsThePercentageOfTheBestSquare) {
    Store("HUMAN vs HUMAN", QStringLiteral("1"));
    Store("PLAYER1 COLOR", QStringLiteral("0")); // the first player has black
    Start();
    Click(10, 10);
    ASSERT_EQ(Game.Board[10][10], BlackStone);
    ASSERT_EQ(Game.ColorToMove, WhiteStone);

    Click(12, 10, Qt::RightButton);
    EXPECT_TRUE(Form->Menu.XYPercent->isVisible());
    EXPECT_EQ(Form->Menu.XYPercent->text(), QStringLiteral("75%"));
    EXPECT_EQ(Form->Menu.PopupMenu1->defaultAction(), Form->Menu.XYPercent);
    EXPECT_EQ(Play.CommentsUsedCount, 1);
    Form->Menu.PopupMenu1->close();

    Click(10, 10, Qt::RightButton);
    EXPECT_FALSE(Form->Menu.XYPercent->isVisible());
    EXPECT_EQ(Play.CommentsUsedCount, 1);
    EXPECT_EQ(Game.MoveCount, 1);
}

TEST_F(MainFormTest, ExitAsksAndOnlyYesCloses) {
    Start();
    Scripted->ExitAnswers = {false, true};
    Form->Menu.Exit1->trigger();
    EXPECT_TRUE(Form->isVisible());
    EXPECT_FALSE(Play.Closing);
    Form->Menu.Exit1->trigger();
    EXPECT_FALSE(Form->isVisible());
    EXPECT_TRUE(Play.Closing);
    EXPECT_EQ(Scripted->ExitQuestions, 2);
}

TEST_F(MainFormTest, AStoreErrorStopsTheMoveAndShowsTheErrorBox) {
    Start();
    Raw().setValue(QStringLiteral("HUMAN vs HUMAN"), QStringList{"a", "b"});
    Raw().sync();
    Click(5, 5);
    EXPECT_EQ(Game.MoveCount, 1); // the stone stands; the answer never came
    EXPECT_EQ(Scripted->Errors, QStringList{"Invalid data type for 'HUMAN vs HUMAN'"});
}

} // namespace

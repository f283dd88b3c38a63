// A game played through the real main window: clicks and answers, who plays what, new games,
// the end of a game, the rating menu and a store error.
#include "WindowTestSupport.h"

#include <QAccessible>
#include <QToolButton>

namespace {

TEST_F(WindowTest, AClickIsAnsweredByTheComputerAndNothingElseOnTheBoardIsAMove) {
    Start();
    Do("5,5");
    EXPECT_TRUE(MovesMade().startsWith("W5,5 B")); // the first player has white and goes first
    Do("5,5");                                     // occupied
    Click(7, 7, Qt::RightButton);                  // the rating
    Items().PopupMenu1->close();
    Click(8, 8, Qt::MiddleButton);
    QTest::mouseClick(&Grid(), Qt::LeftButton, Qt::NoModifier, {1, 1}); // the border, no cell
    Form->hide(); // coming back from a dialog does not start the game again
    Form->show();
    QApplication::processEvents();
    EXPECT_EQ(State(), "2 2 2 W undo 0 hints 0 URAPH asked 0 reports 0");
}

TEST_F(WindowTest, TheStoredModeAndColoursDecideWhoPlaysWhatAndWhoseNameStandsWhere) {
    const auto seen = [this](const char* steps) {
        Do(steps);
        return Line(MovesMade() + ";", State().section(' ', 0, 3) + ";", Form->MainName1->text(),
                    "/", Form->MainName2->text());
    };
    StartWith({{"HUMAN vs HUMAN", "1"}});
    EXPECT_EQ(seen("1,1 2,1 3,1"), "W1,1 B2,1 W3,1; 3 3 3 B; Player 1 / Player 2");
    StartWith({{"WHO IS FIRST", "2nd Player is First"}});
    EXPECT_EQ(seen(""), "B10,10; 1 1 1 W; Player 1 / Rennor King");
    StartWith(
        {{"HUMAN vs HUMAN", "1"}, {"PLAYER1 COLOR", "0"}, {"1st NAME", "Ann"}, {"2nd NAME", ""}});
    EXPECT_EQ(seen(""), "; 0 0 0 B; Player 2 / Ann");
}

// A name too long for its place is cut short at a size easy to read and given whole on demand.
TEST_F(WindowTest, ALongNameIsCutShortReadablyAndGivenWholeInItsTipAndToReaders) {
    const QString name = "Bartholomew the Great of Rennor";
    StartWith({{"1st NAME", "Bartholomew the Great of Rennor"}});
    QLabel* label = Form->MainName1;
    EXPECT_EQ(Line(label->font().pointSizeF() >= 10, label->text().endsWith(QChar(0x2026)),
                   label->width() <= 131, label->toolTip(),
                   QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name)),
              Line(true, true, true, name, name));
}

TEST_F(WindowTest, NewGameAsksFromMenuKeyAndButtonOnlyWhileAGameRuns) {
    Start();
    Answers->ConfirmAnswers = {false, false};
    Do("5,5 N");
    QTest::keyClick(Form.get(), Qt::Key_N);
    EXPECT_EQ(State(), "2 2 2 W undo 0 hints 0 URAPH asked 2 reports 0");
    EXPECT_EQ(Answers->Questions[0], "Do You Wish To Cancel Current Game ?");
    Form->NewGameButton->click(); // Yes starts afresh
    Game.FiveMade = true;         // and a finished game is dropped without a question
    Do("N");
    EXPECT_EQ(State(), "0 0 0 W undo 0 hints 0 URAPH asked 3 reports 0");
}

TEST_F(WindowTest, AWonGameIsReportedMarkedAndClosesTheBoard) {
    StartWith({{"HUMAN vs HUMAN", "1"}});
    Do("1,1 1,3 2,1 2,3 3,1 3,3 4,1 4,3");
    EXPECT_TRUE(Ports->Reports.isEmpty());
    Do("5,1");
    // Moves, hints, undo, comments, switched sides; the stone; the commands while it is open.
    EXPECT_EQ(Ports->Reports, QStringList{"Player 1: 9 0 0 0 No #00ffff/#000000 ----H"});
    const QImage board = Board(); // a black dot on each stone of the five, on no other
    EXPECT_EQ(Line(Pixel(board, 1, 1, 9, 9), Pixel(board, 5, 1, 9, 9), Pixel(board, 1, 3, 9, 9)),
              "000000 000000 000000");
    Do("10,10");
    EXPECT_EQ(State(), "9 9 9 over undo 0 hints 0 --APH asked 0 reports 1");
}

TEST_F(WindowTest, TheRatingMenuShowsThePercentageOfTheBestSquareOnEmptySquaresOnly) {
    StartWith({{"HUMAN vs HUMAN", "1"}, {"PLAYER1 COLOR", "0"}}); // the first player has black
    Do("10,10");
    Click(12, 10, Qt::RightButton);
    const QString shown = Line(Items().XYPercent->isVisible(), Items().XYPercent->text(),
                               Items().PopupMenu1->defaultAction() == Items().XYPercent);
    Items().PopupMenu1->close();
    Click(10, 10, Qt::RightButton);
    EXPECT_EQ(Line(shown, Items().XYPercent->isVisible(), Play.CommentsUsedCount, MovesMade()),
              "true 75% true false 1 B10,10");
}

TEST_F(WindowTest, AStoreErrorStopsTheMoveAndShowsTheErrorBox) {
    Start();
    Store("HUMAN vs HUMAN", QStringList{"a", "b"});
    Do("5,5");
    EXPECT_EQ(State(), "1 1 1 B undo 0 hints 0 URAPH asked 0 reports 0 error Invalid data type "
                       "for 'HUMAN vs HUMAN'");
}

} // namespace

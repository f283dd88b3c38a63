// A game played through the real main window: clicks and answers, who plays what, new games,
// the rating menu and a store error (a game's end is in the rules and commands tests).
#include "WindowTestSupport.h"

#include <QAccessible>

namespace {

// New Game asks only while a game runs; a store error stops the move and shows its box.
TEST_F(WindowTest, AClickIsAnsweredNothingElseIsAMoveAndNewGameAsksOnlyWhileAGameRuns) {
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
    Ports->ConfirmAnswers = {false, false};
    Do("N");
    QTest::keyClick(Form.get(), Qt::Key_N);
    QStringList seen{State(), Ports->Questions[0]};
    Form->NewGameButton->click(); // Yes starts afresh
    Game.FiveMade = true;         // and a finished game is dropped without a question
    Do("N");
    seen << State();
    Store("HUMAN vs HUMAN", QStringList{"a", "b"});
    Do("5,5");
    EXPECT_EQ(seen << State(), QStringList({"2 2 2 W undo 0 hints 0 URAPH asked 2 reports 0",
                                            "Do You Wish To Cancel Current Game ?",
                                            "0 0 0 W undo 0 hints 0 URAPH asked 3 reports 0",
                                            "1 1 1 B undo 0 hints 0 URAPH asked 3 reports 0 error "
                                            "Invalid data type for 'HUMAN vs HUMAN'"}));
}

TEST_F(WindowTest, TheStoredModeColoursAndNamesDecideWhoPlaysWhatAndWhoseNameStandsWhere) {
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
    // The rating menu shows the percentage of the best square, on empty squares only.
    Do("10,10");
    Click(12, 10, Qt::RightButton);
    const QString rated = Line(Items().XYPercent->isVisible(), Items().XYPercent->text(),
                               Items().PopupMenu1->defaultAction() == Items().XYPercent);
    Items().PopupMenu1->close();
    Click(10, 10, Qt::RightButton);
    EXPECT_EQ(Line(rated, Items().XYPercent->isVisible(), Play.CommentsUsedCount, MovesMade()),
              "true 75% true false 1 B10,10");
    // A name too long for its place is cut short at a size easy to read and given whole on demand.
    const QString name = "Bartholomew the Great of Rennor";
    StartWith({{"1st NAME", "Bartholomew the Great of Rennor"}});
    QLabel* label = Form->MainName1;
    EXPECT_EQ(Line(label->font().pointSizeF() >= 10, label->text().endsWith(QChar(0x2026)),
                   label->width() <= 131, label->toolTip(),
                   QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name)),
              Line(true, true, true, name, name));
}

} // namespace

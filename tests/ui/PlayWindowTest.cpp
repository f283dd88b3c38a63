// A game played through the real main window: clicks and answers, who plays what, new games,
// the end of a game, the rating menu and a store error.
#include "WindowTestSupport.h"

#include "ui/ExitForm.h"

namespace {

TEST_F(WindowTest, AClickIsAnsweredByTheComputerAndNothingElseOnTheBoardIsAMove) {
    Start();
    Click(5, 5);
    EXPECT_TRUE(MovesMade().startsWith("W5,5 B")); // the first player has white and goes first
    EXPECT_EQ(State(), "2 2 2 W undo 0 hints 0 URAPH asked 0 reports 0");
    Click(5, 5);                  // occupied
    Click(7, 7, Qt::RightButton); // the rating
    Items().PopupMenu1->close();
    Click(8, 8, Qt::MiddleButton);
    QTest::mouseClick(&Grid(), Qt::LeftButton, Qt::NoModifier, {1, 1}); // the border, no cell
    Form->hide(); // coming back from a dialog does not start the game again
    Form->show();
    QApplication::processEvents();
    EXPECT_EQ(State(), "2 2 2 W undo 0 hints 0 URAPH asked 0 reports 0");
}

TEST_F(WindowTest, TheStoredModeAndColoursDecideWhoPlaysWhatAndWhoseNameStandsWhere) {
    struct Row {
        std::vector<std::pair<const char*, const char*>> Stored;
        std::vector<std::pair<int, int>> Clicks;
        const char* Expected; // moves; stones, moves, shown, to move; white / black
    };
    for (const Row& row :
         std::initializer_list<Row>{{{{"HUMAN vs HUMAN", "1"}},
                                     {{1, 1}, {2, 1}, {3, 1}},
                                     "W1,1 B2,1 W3,1; 3 3 3 B; Player 1 / Player 2"},
                                    {{{"WHO IS FIRST", "2nd Player is First"}},
                                     {},
                                     "B10,10; 1 1 1 W; Player 1 / Rennor King"},
                                    {{{"HUMAN vs HUMAN", "1"},
                                      {"PLAYER1 COLOR", "0"},
                                      {"1st NAME", "Ann"},
                                      {"2nd NAME", ""}},
                                     {},
                                     "; 0 0 0 B; Player 2 / Ann"}}) {
        SetUp();
        for (auto [name, text] : row.Stored) {
            Store(name, text);
        }
        Start();
        for (auto [X, Y] : row.Clicks) {
            Click(X, Y);
        }
        EXPECT_EQ(MovesMade() + "; " + State().section(' ', 0, 3) + "; " + Form->MainName1->text() +
                      " / " + Form->MainName2->text(),
                  row.Expected);
        Stop();
    }
}

TEST_F(WindowTest, NewGameAsksFromMenuKeyAndButtonOnlyWhileAGameRuns) {
    Start();
    Click(5, 5);
    Answers->ConfirmAnswers = {false, false};
    Items().NewGame1->trigger();
    QTest::keyClick(Form.get(), Qt::Key_N);
    EXPECT_EQ(State(), "2 2 2 W undo 0 hints 0 URAPH asked 2 reports 0");
    EXPECT_EQ(Answers->Questions[0], "Do You Wish To Cancel Current Game ?");
    Form->NewGameButton->click(); // Yes starts afresh
    Game.FiveMade = true;         // and a finished game is dropped without a question
    Items().NewGame1->trigger();
    EXPECT_EQ(State(), "0 0 0 W undo 0 hints 0 URAPH asked 3 reports 0");
}

TEST_F(WindowTest, AWonGameIsReportedStopsTheClockAndClosesTheBoard) {
    Store("HUMAN vs HUMAN", "1");
    Start();
    Play.GameStartTime -= 65 * OneSecond;
    Form->Timer1Timer();
    EXPECT_NEAR(Form->TimeElapsed->DateTime() / OneSecond, 65, 2);
    for (int X = 1; X <= 4; ++X) {
        Click(X, 1);
        Click(X, 3);
    }
    EXPECT_TRUE(Ports->Reports.isEmpty());
    Click(5, 1);
    // Moves, hints, undo, comments, switched sides; the stone; the commands while it is open.
    EXPECT_EQ(Ports->Reports, QStringList{"Player 1: 9 0 0 0 No #00ffff/#000000 ----H"});
    const double final = Form->TimeElapsed->DateTime();
    Play.GameStartTime -= 30 * OneSecond;
    Form->Timer1Timer();
    Click(10, 10);
    Form->BlinkTimerTimer();
    Form->BlinkTimerTimer();
    EXPECT_EQ(Form->TimeElapsed->DateTime(), final);
    EXPECT_TRUE(Form->NoughtImage->isVisible() && Form->CrossImage->isVisible());
    EXPECT_EQ(State(), "9 9 9 over undo 0 hints 0 --APH asked 0 reports 1");
}

TEST_F(WindowTest, TheRatingMenuShowsThePercentageOfTheBestSquareOnEmptySquaresOnly) {
    Store("HUMAN vs HUMAN", "1");
    Store("PLAYER1 COLOR", "0"); // the first player has black
    Start();
    Click(10, 10);
    Click(12, 10, Qt::RightButton);
    EXPECT_TRUE(Items().XYPercent->isVisible());
    EXPECT_EQ(Items().XYPercent->text(), "75%");
    EXPECT_EQ(Items().PopupMenu1->defaultAction(), Items().XYPercent);
    Items().PopupMenu1->close();
    Click(10, 10, Qt::RightButton);
    EXPECT_FALSE(Items().XYPercent->isVisible());
    EXPECT_EQ(Play.CommentsUsedCount, 1);
    EXPECT_EQ(MovesMade(), "B10,10");
}

TEST_F(WindowTest, AStoreErrorStopsTheMoveAndShowsTheErrorBox) {
    Start();
    Store("HUMAN vs HUMAN", QStringList{"a", "b"});
    Click(5, 5);
    EXPECT_EQ(State(), "1 1 1 B undo 0 hints 0 URAPH asked 0 reports 0 error Invalid data type "
                       "for 'HUMAN vs HUMAN'");
}

TEST(WindowPlacementTest, CentredLeavingRoomForTheTaskBarNeverAboveTheScreen) {
    EXPECT_EQ(MainWindowPosition({1024, 768}, {561, 425}), QPoint(232, 157));
    EXPECT_EQ(MainWindowPosition({1025, 769}, {563, 427}), QPoint(230, 156)); // halves to even
    EXPECT_EQ(MainWindowPosition({800, 440}, {561, 425}), QPoint(120, 0));
    EXPECT_EQ(CentredOnScreen({1024, 768}, {273, 160}), QPoint(376, 304));
}

} // namespace

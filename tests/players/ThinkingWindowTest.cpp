// The chosen computer player in the real window: each command that stops its thinking, and an
// external engine's name and answer.
#include "WindowTestSupport.h"

#include "game/ComputerTurn.h"
#include "players/ExternalPlayer.h"

namespace {

using ThinkingWindowTest = WindowTest;

TEST_F(ThinkingWindowTest, EachCommandGivenWhileRennorEmperorThinksActsAtOnce) {
    QApplication::setQuitOnLastWindowClosed(false); // the test program outlives Exit
    // Steps while the computer thinks about its answer to 10,10, steps given 200 ms into them,
    // then: moves, still thinking, window shown, auto playing, questions asked, the status.
    const char* const cases[][3] = {
        {"N", "", "0 false true false 1 "},
        {"U", "", "0 false true false 0 "},
        {"W", "", "1 true true false 0 Rennor Emperor is thinking..."},
        {"A", "N", "0 false true false 2 "},
        {"X", "", "1 false false false 0 "},
    };
    for (auto [steps, later, expected] : cases) {
        SCOPED_TRACE(steps);
        // A quiet position takes all of a minute.
        StartWith({{"COMPUTER PLAYER", "Rennor Emperor"}, {"MOVE TIME", "60000"}});
        Do("10,10 3,3"); // a click while the computer thinks is no move
        EXPECT_EQ(Line(Game.MoveCount, ComputerThinking(), Form->StatusBar->text()),
                  "1 true Rennor Emperor is thinking...");
        QTimer::singleShot(200, Form.get(), [this, later] { Do(later); });
        Do(steps);
        EXPECT_EQ(Line(Game.MoveCount, ComputerThinking(), Form->isVisible(), Play.AutoPlaying,
                       Answers->Questions.size(), Form->StatusBar->text()),
                  expected);
        if (!ComputerThinking() && Form->isVisible()) {
            // Only a stopped search frees the worker for the empty board's answer, the centre.
            Do("W");
            ASSERT_TRUE(QTest::qWaitFor([] { return Game.MoveCount == 1; }, 10000));
            EXPECT_EQ(MovesMade().mid(1), "10,10");
        }
    }
}

TEST_F(ThinkingWindowTest, AnExternalEngineShowsItsOwnNameAndAnswers) {
    StartWith({{"COMPUTER PLAYER", "External engine"},
               {"ENGINE PATH", RENNOR_BRAIN},
               {"MOVE TIME", "300"}});
    EXPECT_NE(dynamic_cast<TExternalPlayer*>(&ComputerPlayer()), nullptr);
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return Form->MainName2->text() == "Rennor Emperor"; }, 10000));
    EXPECT_EQ(Options->SecondPlayerLabel(), "Rennor Emperor");
    Do("10,10");
    ASSERT_TRUE(QTest::qWaitFor([] { return Game.MoveCount == 2; }, 10000));
    EXPECT_TRUE(Answers->Errors.isEmpty());
}

} // namespace

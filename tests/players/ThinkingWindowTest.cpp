// The chosen computer player in the real window: thinking, commands meanwhile, an engine's name.
#include "CommandsTestSupport.h"

#include "game/ComputerTurn.h"
#include "players/ExternalPlayer.h"

namespace {

class ThinkingWindowTest : public CommandsWindowTest {
protected:
    void SetUp() override {
        CommandsWindowTest::SetUp();
        Store("COMPUTER PLAYER", QStringLiteral("Rennor Emperor"));
        Store("MOVE TIME", QStringLiteral("60000")); // a quiet position takes all of it
    }
    // A fresh window whose computer thinks about its answer to the human's first stone.
    void OpenAndThink() {
        Ports.reset();
        Options.reset();
        Form.reset();
        Open();
        Click(10, 10);
        ASSERT_TRUE(ComputerThinking());
        EXPECT_EQ(Form->StatusBar->text(), "Rennor Emperor is thinking...");
        Click(3, 3);
        EXPECT_EQ(Game.MoveCount, 1) << "the board took a click while the computer thought";
    }
};

TEST_F(ThinkingWindowTest, CommandsGivenWhileRennorEmperorThinksGoOnAtOnce) {
    struct TCase {
        const char* Name;
        QAction* TMainMenuItems::*Item;
        int Moves;
        bool Thinking;
    };
    const TCase cases[] = {{"New Game", &TMainMenuItems::NewGame1, 0, false},
                           {"Undo", &TMainMenuItems::Undo1, 0, false},
                           {"Switch Sides", &TMainMenuItems::SwitchSides1, 1, true}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenAndThink();
        (Items().*c.Item)->trigger();
        EXPECT_EQ(Game.MoveCount, c.Moves);
        EXPECT_EQ(ComputerThinking(), c.Thinking);
        if (!c.Thinking) {
            EXPECT_TRUE(Form->StatusBar->text().isEmpty());
            // Only a stopped search frees the worker for the empty board's answer, the centre.
            Items().SwitchSides1->trigger();
            ASSERT_TRUE(QTest::qWaitFor([] { return Game.MoveCount == 1; }, 10000));
            EXPECT_EQ(std::pair(Game.Moves[1].X, Game.Moves[1].Y), std::pair(10, 10));
        }
    }
}

TEST_F(ThinkingWindowTest, ExitWhileRennorEmperorThinksClosesAtOnce) {
    OpenAndThink();
    QApplication::setQuitOnLastWindowClosed(false); // the test program goes on
    Items().Exit1->trigger();
    QApplication::setQuitOnLastWindowClosed(true);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_FALSE(ComputerThinking());
    EXPECT_EQ(Game.MoveCount, 1);
}

TEST_F(ThinkingWindowTest, AutoPlayWaitsOnTheEventLoopWhereNewGameEndsIt) {
    OpenAndThink();
    During([this] { Items().NewGame1->trigger(); }, 200);
    Items().AutoPlay1->trigger(); // drops the answer being thought about, then plays both sides
    EXPECT_EQ(Answers->Questions.size(), 2);
    EXPECT_FALSE(Play.AutoPlaying);
    EXPECT_FALSE(ComputerThinking());
    EXPECT_EQ(Game.MoveCount, 0);
}

TEST_F(ThinkingWindowTest, AnExternalEngineShowsItsOwnNameAndAnswers) {
    Store("COMPUTER PLAYER", QStringLiteral("External engine"));
    Store("ENGINE PATH", QStringLiteral(RENNOR_BRAIN));
    Store("MOVE TIME", QStringLiteral("300"));
    Open();
    EXPECT_NE(dynamic_cast<TExternalPlayer*>(&ComputerPlayer()), nullptr);
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return Form->MainName2->text() == "Rennor Emperor"; }, 10000));
    EXPECT_EQ(Options->SecondPlayerLabel(), "Rennor Emperor");
    Click(10, 10);
    ASSERT_TRUE(QTest::qWaitFor([] { return Game.MoveCount == 2; }, 10000));
    EXPECT_TRUE(Answers->Errors.isEmpty());
}

} // namespace

// Undo, Redo and Replay in the main window, as the user gives them from the menu.
#include "CommandsTestSupport.h"

namespace {

using HistoryWindowTest = CommandsWindowTest;

bool BoardEmpty() {
    for (int X = 1; X <= BoardSize; ++X) {
        for (int Y = 1; Y <= BoardSize; ++Y) {
            if (Game.Board[X][Y] != NoStone) {
                return false;
            }
        }
    }
    return true;
}

TEST_F(HistoryWindowTest, AgainstTheComputerUndoTakesTwoAndRedoPutsThemBackToTheEnd) {
    Open();
    Click(10, 10);
    Click(4, 4);
    ASSERT_EQ(Game.MoveCount, 4);
    const TStoneColor human = Game.Moves[1].Color;

    Items().Undo1->trigger();
    EXPECT_EQ(Game.MoveCount, 2);
    EXPECT_EQ(MovesShown(), 2);
    EXPECT_EQ(Game.ColorToMove, human);
    EXPECT_EQ(Game.Board[4][4], NoStone);
    Items().Undo1->trigger();
    EXPECT_TRUE(BoardEmpty());
    Items().Undo1->trigger(); // nothing left to take back
    EXPECT_EQ(Play.UndoUsedCount, 2);

    Items().Redo1->trigger();
    EXPECT_EQ(Game.MoveCount, 2);
    Items().Redo1->trigger();
    EXPECT_EQ(Game.MoveCount, 4);
    EXPECT_EQ(Game.Board[4][4], human);
    Items().Redo1->trigger(); // the recorded end
    EXPECT_EQ(Game.MoveCount, 4);
    EXPECT_EQ(MovesShown(), 4);
    EXPECT_EQ(Play.UndoUsedCount, 4);
    EXPECT_EQ(Game.ColorToMove, human);
}

TEST_F(HistoryWindowTest, WhenTheComputerOpensItsLoneStoneStays) {
    Store("WHO IS FIRST", QStringLiteral("2nd Player is First"));
    Open();
    ASSERT_EQ(Game.MoveCount, 1);
    const TMoveRecord opening = Game.Moves[1];
    Items().Undo1->trigger();
    EXPECT_EQ(Game.MoveCount, 1);
    EXPECT_EQ(Play.UndoUsedCount, 0);

    Click(3, 3);
    ASSERT_EQ(Game.MoveCount, 3);
    Items().Undo1->trigger();
    EXPECT_EQ(Game.MoveCount, 1);
    EXPECT_EQ(Game.Board[opening.X][opening.Y], opening.Color);
    EXPECT_EQ(Game.ColorToMove, Opponent(opening.Color));
    EXPECT_EQ(MovesShown(), 1);
}

TEST_F(HistoryWindowTest, BetweenHumansEachCommandMovesOneStep) {
    Store("HUMAN vs HUMAN", QStringLiteral("1"));
    Open();
    Click(5, 5);
    Click(6, 6);
    Click(7, 7);
    Items().Undo1->trigger();
    EXPECT_EQ(Game.MoveCount, 2);
    EXPECT_EQ(Game.ColorToMove, Game.Moves[3].Color);
    Items().Undo1->trigger();
    EXPECT_EQ(Game.MoveCount, 1);
    Items().Redo1->trigger();
    Items().Redo1->trigger();
    Items().Redo1->trigger();
    EXPECT_EQ(Game.MoveCount, 3);
    EXPECT_EQ(Game.Board[7][7], Game.Moves[1].Color);
    EXPECT_EQ(Play.UndoUsedCount, 4);
}

TEST_F(HistoryWindowTest, ReplayAtFullSpeedEndsWithTheReportOfTheReplayedGame) {
    Store("HUMAN vs HUMAN", QStringLiteral("1"));
    Open();
    for (int x = 1; x <= 5; ++x) {
        Click(x, 1);
        if (x == 2) { // counted in the game's report, not in the replay's
            Items().Undo1->trigger();
            Items().Redo1->trigger();
        }
        if (x < 5) {
            Click(x, 2);
        }
    }
    ASSERT_EQ(Ports->Reports.size(), 1u);
    EXPECT_EQ(Ports->Reports[0].Undo, "2");
    const std::vector<TMoveRecord> game(Game.Moves + 1, Game.Moves + 10);

    Items().Replay1->trigger();
    ASSERT_EQ(Ports->Reports.size(), 2u);
    const TReportSeen& replayed = Ports->Reports[1];
    EXPECT_EQ(replayed.Moves, "9");
    EXPECT_EQ(replayed.Undo, "0");
    EXPECT_EQ(replayed.Switched, "No");
    EXPECT_EQ(replayed.Winner, "Player 1");
    EXPECT_EQ(MovesShown(), 9);
    for (const TMoveRecord& m : game) {
        EXPECT_EQ(Game.Board[m.X][m.Y], m.Color);
    }
    EXPECT_TRUE(Game.GameFinished);
    EXPECT_FALSE(Enabled(Items().Undo1) || Enabled(Items().Redo1));
    EXPECT_TRUE(Enabled(Items().Replay1) && Enabled(Items().AutoPlay1));
}

} // namespace

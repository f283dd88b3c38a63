// The rules of five-in-a-row: fives in every direction, reports and the move list (ties are
// played to their report in the game and window tests).
#include "BoardTestSupport.h"

#include "core/Random.h"

#include <tuple>
#include <vector>

namespace {

// Fives from the first square on, a step at a time: along each edge, into corners, and inside.
TEST_F(BoardTest, FifthStoneWinsFourDoNot) {
    const std::tuple<int, int, int, int> fives[] = {{15, 19, 1, 0}, {1, 1, 1, 0},   {19, 15, 0, 1},
                                                    {1, 1, 0, 1},   {15, 15, 1, 1}, {19, 15, -1, 1},
                                                    {5, 1, -1, 1},  {8, 10, 1, 0}};
    for (const auto& [x, y, dx, dy] : fives) {
        SCOPED_TRACE(testing::Message() << x << "," << y << " by " << dx << "," << dy);
        SetUp();
        for (int m = 0; m < 4; ++m) {
            ReplayMove(x + dx * m, y + dy * m, BlackStone);
        }
        EXPECT_EQ(std::pair(Game.FiveMade, IsGameOver()), std::pair(false, false));
        int reports = 0, autoPlayEnds = 0;
        BoardHooks.ShowReport = [&] {
            ++reports;
            // The report sees the final position with the winner's colour still to move.
            EXPECT_EQ(std::tuple(Game.ColorToMove, Game.MoveCount), std::tuple(BlackStone, 5));
        };
        BoardHooks.EndAutoPlay = [&] { ++autoPlayEnds; };
        Game.ColorToMove = BlackStone;
        MakeMove(x + dx * 4, y + dy * 4);
        EXPECT_EQ(std::tuple(Game.FiveMade, Game.Winner, IsGameOver(), Game.GameFinished),
                  std::tuple(true, BlackStone, true, true));
        EXPECT_EQ(
            std::tuple(reports, autoPlayEnds, Game.Moves[5].X, Game.Moves[5].Y, Game.ColorToMove),
            std::tuple(1, 1, x + dx * 4, y + dy * 4, WhiteStone));
    }
}

TEST_F(BoardTest, MovesAreRecordedRepaintedRebuiltAndOutliveANewBoard) {
    std::vector<std::pair<int, int>> repainted;
    std::vector<int> shown;
    int resets = 0;
    BoardHooks.RepaintSquare = [&](int x, int y) { repainted.emplace_back(x, y); };
    BoardHooks.ShowMovesDone = [&](int n) { shown.push_back(n); };
    BoardHooks.ResetGameFlow = [&resets] { ++resets; };
    BoardHooks.FirstColor = [] { return WhiteStone; };
    Play({{10, 10}, {11, 11}});
    // The latest-move mark moves: the previous square is repainted before the new one.
    EXPECT_EQ(repainted,
              (std::vector<std::pair<int, int>>{{-1, -1}, {10, 10}, {10, 10}, {11, 11}}));
    EXPECT_EQ(shown, (std::vector<int>{1, 2}));
    EXPECT_EQ(std::tuple(Game.Moves[2].Color, Game.PrevMoveX, Game.LastMoveY, Game.MovesRecorded),
              std::tuple(WhiteStone, 10, 11, 2));

    // Rebuilt to no move: every square repainted, and the first move's colour is to move.
    repainted.clear();
    RebuildPosition(0);
    EXPECT_EQ(std::tuple(Game.MoveCount, Game.ColorToMove, Game.LastMoveX, Game.UntouchedWindows),
              std::tuple(0, BlackStone, -1, 2 * WindowTotal));
    EXPECT_EQ(repainted.size(), MaxMoves + 2u);

    // A new board keeps the old records, but nothing can be redone.
    NewBoard();
    EXPECT_EQ(std::tuple(resets, Game.MovesRecorded, Game.Moves[2].X, Game.ColorToMove),
              std::tuple(1, 0, 11, WhiteStone));
}

// A seed gives its draws again, another seed others, and each new game's seed from the clock
// others again: the computer does not play one game over and over.
TEST(Random, ASeedGivesItsDrawsAgainAndAnotherSeedOrTheClockOthers) {
    const auto draws = [](auto seed) {
        seed();
        std::vector<int> drawn;
        for (int i = 0; i < 8; ++i) {
            drawn.push_back(RandomDraw(1000));
        }
        return drawn;
    };
    const auto seeded = [](std::uint64_t n) { return [n] { SeedRandom(n); }; };
    const std::vector<int> first = draws(seeded(1));
    EXPECT_EQ(draws(seeded(1)), first);
    EXPECT_NE(draws(seeded(2)), first);
    const auto clock = [] {
        SeedRandom(1);
        RandomizeFromTimeOfDay();
    }; // from any state
    EXPECT_NE(draws(clock), draws(clock));
}

} // namespace

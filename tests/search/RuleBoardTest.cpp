// The strong player's board under exactly five and renju: shapes kept stone by stone equal shapes
// worked out afresh, and its fouls are the judge's on every square of random crowded positions.
#include "search/SearchBoard.h"
#include "variants/Judge.h"

#include "core/Random.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

// Stones of both colours crowding a corner, so that lines reach the edge, and an inner square
// block, so that long lines, overlines and fouls come often.
std::vector<TCell> RandomStones(const TSearchBoard& board, std::uint64_t& seed, int count) {
    std::vector<TCell> cells;
    std::vector<char> used(CellCount, 0);
    while (static_cast<int>(cells.size()) < count) {
        const int span = cells.size() % 2 == 0 ? 9 : board.Size();
        const TCell c = board.CellOf(static_cast<int>(SplitMix(seed) % span),
                                     static_cast<int>(SplitMix(seed) % span));
        if (!used[c]) {
            used[c] = 1;
            cells.push_back(c);
        }
    }
    return cells;
}

void ExpectSameShapes(const TSearchBoard& a, const TSearchBoard& b) {
    for (int y = 0; y < a.Size(); ++y) {
        for (int x = 0; x < a.Size(); ++x) {
            const TCell c = a.CellOf(x, y);
            for (int colour = Black; colour <= White && a.IsEmpty(c); ++colour) {
                for (int d = 0; d < 4; ++d) {
                    ASSERT_EQ(a.LineAt(colour, c, d), b.LineAt(colour, c, d))
                        << x << "," << y << " colour " << colour << " direction " << d;
                }
                ASSERT_EQ(a.ValueAt(colour, c), b.ValueAt(colour, c));
            }
        }
    }
    for (int colour = Black; colour <= White; ++colour) {
        ASSERT_EQ(a.ValueSum(colour), b.ValueSum(colour));
    }
}

class RuleBoardTest : public testing::TestWithParam<std::tuple<TRule, int>> {};

TEST_P(RuleBoardTest, ShapesKeptStoneByStoneEqualShapesWorkedOutAfresh) {
    const auto [rule, size] = GetParam();
    std::uint64_t seed = 77 + size;
    for (int round = 0; round < 6; ++round) {
        TSearchBoard board(size, rule);
        const std::vector<TCell> stones = RandomStones(board, seed, 40);
        for (TCell c : stones) {
            board.Play(c);
        }
        for (int undo = 0; undo < 10; ++undo) {
            board.Undo();
        }
        TSearchBoard fresh(size, rule);
        for (std::size_t i = 0; i + 10 < stones.size(); ++i) {
            fresh.Play(stones[i]);
        }
        ExpectSameShapes(board, fresh);
        EXPECT_EQ(board.Hash(), fresh.Hash());
    }
}

TEST_P(RuleBoardTest, FoulsAreTheJudgesAndFivesTheRules) {
    const auto [rule, size] = GetParam();
    std::uint64_t seed = 5 + size;
    int fouls = 0;
    for (int round = 0; round < 40; ++round) {
        TSearchBoard board(size, rule);
        TRuleBoard judged(size);
        for (TCell c : RandomStones(board, seed, 30 + round % 3)) {
            judged.Set(board.XOf(c), board.YOf(c), static_cast<TStoneColor>(board.ToMove()));
            board.Play(c);
        }
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const TCell c = board.CellOf(x, y);
                if (!board.IsEmpty(c)) {
                    const TStoneColor colour = judged.At(x, y);
                    ASSERT_EQ(board.MakesFive(c), Judge(rule, judged, x, y, colour).Wins);
                    continue;
                }
                for (int colour = Black; colour <= White; ++colour) {
                    const TVerdict v = Judge(rule, judged, x, y, static_cast<TStoneColor>(colour));
                    ASSERT_EQ(board.Forbidden(colour, c), !v.Allowed()) << x << "," << y;
                    ASSERT_EQ(board.ShapeAt(colour, c) == TShape::Five, v.Wins) << x << "," << y;
                    fouls += !v.Allowed();
                }
            }
        }
    }
    EXPECT_EQ(fouls > 0, rule == TRule::Renju);
}

INSTANTIATE_TEST_SUITE_P(Rules, RuleBoardTest,
                         testing::Combine(testing::Values(TRule::Standard, TRule::Renju,
                                                          TRule::Freestyle),
                                          testing::Values(15, 22)));

} // namespace

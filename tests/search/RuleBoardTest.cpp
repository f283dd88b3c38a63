// The strong player's board under each rule, on random crowded positions: shapes and their tallies
// kept stone by stone, with stones taken back, equal those worked out afresh, and its fives and
// fouls are the judge's on every square.
#include "search/SearchBoard.h"
#include "variants/Judge.h"

#include "core/Random.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

class RuleBoardTest : public testing::TestWithParam<std::tuple<TRule, int>> {};

TEST_P(RuleBoardTest, ShapesFivesAndFoulsAgreeWithTheJudge) {
    const auto [rule, size] = GetParam();
    std::uint64_t seed = 5 + size;
    int fouls = 0;
    for (int round = 0; round < 30; ++round) {
        // Every other stone in a corner block, so that long lines, edges and fouls come often;
        // ten more stones are played and taken back.
        TSearchBoard kept(size, rule), fresh(size, rule);
        TRuleBoard judged(size);
        for (int n = 0; n < 40 + round % 3;) {
            const int span = n % 2 == 0 ? 9 : size;
            const int x = static_cast<int>(SplitMix(seed) % span);
            const int y = static_cast<int>(SplitMix(seed) % span);
            if (kept.IsEmpty(kept.CellOf(x, y))) {
                if (n++ < 30 + round % 3) {
                    judged.Set(x, y, static_cast<TStoneColor>(fresh.ToMove()));
                    fresh.Play(fresh.CellOf(x, y));
                }
                kept.Play(kept.CellOf(x, y));
            }
        }
        for (int undo = 0; undo < 10; ++undo) {
            kept.Undo();
        }
        ASSERT_EQ(kept.Hash(), fresh.Hash());
        for (int colour = Black; colour <= White; ++colour) {
            for (int s = 0; s < ShapeCount; ++s) {
                ASSERT_EQ(kept.CountOf(colour, TShape(s)), fresh.CountOf(colour, TShape(s)));
            }
            for (TWorthSide side : {TWorthSide::ToMove, TWorthSide::Waiting}) {
                ASSERT_EQ(kept.WorthSum(colour, side), fresh.WorthSum(colour, side));
            }
        }
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const TCell c = fresh.CellOf(x, y);
                if (!fresh.IsEmpty(c)) {
                    ASSERT_EQ(fresh.MakesFive(c), Judge(rule, judged, x, y, judged.At(x, y)).Wins);
                    continue;
                }
                for (int colour = Black; colour <= White; ++colour) {
                    const TVerdict v = Judge(rule, judged, x, y, static_cast<TStoneColor>(colour));
                    ASSERT_EQ(fresh.Forbidden(colour, c), !v.Allowed()) << x << "," << y;
                    ASSERT_EQ(fresh.ShapeAt(colour, c) == TShape::Five, v.Wins) << x << "," << y;
                    ASSERT_EQ(kept.ValueAt(colour, c), fresh.ValueAt(colour, c));
                    for (int d = 0; d < 4; ++d) {
                        ASSERT_EQ(kept.LineAt(colour, c, d), fresh.LineAt(colour, c, d));
                    }
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

// Rennor Emperor's rules of play on small drawn positions: win at once, stop a four, stop an
// open three unless a stronger threat comes first, no move once the game is over, each under the
// rule of the game (an overline that wins nothing or wins); bad positions. Renju's fouls in play
// are in BrainPipeTest and ReferenceTest.
#include "ForcedWins.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TSearchResult Think(const TSearchPosition& p) {
    TEmperor emperor(std::size_t{1} << 20);
    const std::atomic<bool> never{false};
    return emperor.Think(p, TSearchLimits{std::chrono::milliseconds(300)}, never);
}

// Part of the board drawn from (Left, Top): 'X' black, 'O' white, '*' an empty square the side
// to move may answer on (none: it has no move), '|' ends a row, anything else is empty.
struct TTactic {
    const char* Name;
    int Size;
    const char* Rows;
    int Left, Top;
    TRule Rule = TRule::Freestyle;
    TStoneColor ToMove = BlackStone;
};

const TTactic Tactics[] = {
    {"FiveBeforeBlockingFive", 19, "*XXXX*|......|.OOOO.", 6, 6},
    {"FiveInTheGap", 19, "XX*XX|OO.OO", 7, 7},
    {"FiveInTheCornerOfTheSmallest", 15, "....O|O...X|O...X|O...X|....X|....*", 10, 9},
    {"FiveOnTheEdgeOfTheLargest", 22, "*|X.....|X...O.|X..O..|X.O...|*..O..", 0, 16},
    {"BlocksAFour", 19, "XOOOO*|..X...|...X..", 6, 6},
    {"BlocksABrokenFour", 19, "OO*OO|..X..|.X...", 6, 6},
    {"BlocksAFourBeforeMakingItsOwnFour", 19, "XOOOO*|.X....|.X....|.X....", 6, 6},
    {"BlocksAnOpenThreeNextToIt", 19, "..*OOO*..|.........|X.......X", 5, 8},
    {"BlocksASplitThreeOnItsLine", 19, ".*OO*O*.|........|X......X", 5, 8},
    {"OpenFourBeatsBlockingAThree", 19, ".*XXX*..|........|...OOO..", 5, 8},
    {"OpensInTheCentreOfTheSmallest", 15, "*", 7, 7},
    {"OpensInTheCentreOfTheLargest", 22, "*", 11, 11},
    {"NoMoveAfterFive", 15, "XXXXX|OOOO.", 3, 3},
    {"NoMoveAfterExactFive", 15, "XXXXX|OOOO.", 3, 3, TRule::Renju},
    {"StandardOverlineWinsNothingSoBlocks", 15, "XXX.XX|......|XOOOO*", 5, 6, TRule::Standard},
    {"FreestyleOverlineWins", 15, "XXX*XX|......|XOOOO.", 5, 6, TRule::Freestyle},
    {"RenjuBlackOverlineWinsNothingSoBlocks", 15, "XXX.XX|......|XOOOO*", 5, 6, TRule::Renju},
    {"StandardWhiteOverlineWinsNothingSoBlocks", 15, "OOO.OO|......|OXXXX*", 5, 6, TRule::Standard,
     WhiteStone},
    {"RenjuWhiteOverlineWins", 15, "OOO*OO|......|OXXXX.", 5, 6, TRule::Renju, WhiteStone}};

class TacticsTest : public testing::TestWithParam<TTactic> {};

TEST_P(TacticsTest, PlaysAGoodAnswer) {
    const TTactic& t = GetParam();
    std::set<std::pair<int, int>> answers;
    const TSearchPosition p = Drawn(t.Size, t.Rows, t.ToMove, t.Left, t.Top, t.Rule, &answers);
    const TSearchResult r = Think(p);
    EXPECT_EQ(r.HasMove(), !answers.empty());
    EXPECT_TRUE(answers.empty() || answers.contains({r.X, r.Y})) << r.X << "," << r.Y;
}

INSTANTIATE_TEST_SUITE_P(Rules, TacticsTest, testing::ValuesIn(Tactics),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(EmperorTest, RefusesPositionsItCannotSearch) {
    const TSearchStone centre{7, 7, BlackStone};
    const TSearchPosition bad[] = {{14, {}, BlackStone},
                                   {23, {}, BlackStone},
                                   {15, {{15, 0, BlackStone}}, WhiteStone},
                                   {15, {{0, -1, BlackStone}}, WhiteStone},
                                   {15, {centre, {7, 7, WhiteStone}}, BlackStone},
                                   {15, {{1, 1, NoStone}}, WhiteStone},
                                   {15, {centre}, NoStone},
                                   {15, {centre}, WhiteStone, static_cast<TRule>(2)}};
    for (const TSearchPosition& p : bad) {
        EXPECT_FALSE(TEmperor::Problem(p).empty());
        EXPECT_THROW(Think(p), std::invalid_argument);
    }
}

} // namespace

// The judge against a table of drawn positions from the renju definitions (threes, fours,
// overlines, a five before any foul, false threes, the edge), the win under each rule, and
// freestyle against the written game's own judge on random games.
#include "variants/Judge.h"

#include "BoardTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>
#include <tuple>

namespace {

// A name, the rule, the colour to play, part of a board drawn from (left, top) ('X' black, 'O'
// white, '*' the square judged (empty), '|' ends a row, anything else is empty), the left and the
// top, whether the stone wins and the foul it is.
using TCase = std::tuple<const char*, TRule, TStoneColor, const char*, int, int, bool, TFoul>;

using enum TRule;
using enum TFoul;
constexpr TStoneColor B = BlackStone, W = WhiteStone;

const TCase Cases[] = {
    // Threes: open, split, blocked by a stone, by the edge, with just room at the edge.
    {"OpenThreeAndOpenThree", Renju, B, "...X|...X|.XX*", 5, 5, false, DoubleThree},
    {"SplitThreeAndOpenThree", Renju, B, "....X|....X|.X.X*", 5, 5, false, DoubleThree},
    {"DiagonalThreeAndOpenThree", Renju, B, "X....|.X...|..*XX", 5, 5, false, DoubleThree},
    {"ThreeBlockedByWhiteIsNoThree", Renju, B, "...X|...X|OXX*..", 5, 5, false, None},
    {"ThreeAgainstTheEdgeIsNoThree", Renju, B, "..X|..X|XX*...", 0, 5, false, None},
    {"ThreeOneSquareFromTheEdgeIsAThree", Renju, B, "...X|...X|.XX*..", 0, 5, false, DoubleThree},
    {"SplitThreeWithOneGapLeftIsNoThree", Renju, B, "....X|....X|OX.X*O", 5, 5, false, None},
    // A three whose every straight four would be an overline is no three.
    {"ThreeWhoseFoursAreOverlinesIsNoThree", Renju, B, ".....X|.....X|X..XX*..X", 3, 5, false,
     None},
    {"ThreeInOneLineTwiceIsOneThree", Renju, B, ".X*X.", 5, 5, false, None},
    // Fours: two lines, two in one line (broken), a straight four counted once, a four and three.
    {"FourAndFour", Renju, B, "...X|...X|...X|XXX*", 5, 5, false, DoubleFour},
    {"FourAndBrokenFour", Renju, B, "...X|...X|....|...X|XXX*", 5, 5, false, DoubleFour},
    {"TwoFoursInOneLineOneThreeOne", Renju, B, "X.X*X.X", 4, 5, false, DoubleFour},
    {"TwoFoursInOneLineThreeOneThree", Renju, B, "XXX.*.XXX", 3, 5, false, DoubleFour},
    {"FourWithItsFivePointFourSquaresLeft", Renju, B, "....X|....X|....X|.XXX*O", 4, 5, false,
     DoubleFour},
    {"FourWithItsFivePointFourSquaresRight", Renju, B, ".X|.X|.X|O*XXX.", 7, 5, false, DoubleFour},
    {"StraightFourIsOneFour", Renju, B, ".XX*X.", 5, 5, false, None},
    {"FourAndThreeIsAllowed", Renju, B, "...X|...X|...X|.XX*.", 5, 5, false, None},
    {"FourAndTwoThrees", Renju, B, ".......|.X...X.|..X.X..|...*XXXO", 4, 5, false, DoubleThree},
    {"FourBlockedAtBothEndsIsNoFour", Renju, B, "...X|...X|...X|OXX*XO", 5, 5, false, None},
    {"FourWhoseFiveWouldBeOverlineIsNoFour", Renju, B, "....X|....X|....X|OXXX*.X", 4, 5, false,
     None},
    // Overlines.
    {"Overline", Renju, B, "XX*XXX", 5, 5, false, Overline},
    {"OverlineAndFour", Renju, B, "...X|...X|...X|XXX*XX", 5, 5, false, Overline},
    // A five comes before any foul.
    {"FiveWithOverlineElsewhere", Renju, B, "...X|...X|...X|XXX*X|...X|...X", 5, 5, true, None},
    {"FiveWithDoubleFour", Renju, B, "X...X|.X..X|..X.X|...*XXXX", 5, 5, true, None},
    {"FiveWithDoubleThree", Renju, B, "...X|...X|.XX*.|...X|...X", 5, 5, true, None},
    {"FiveAtTheCorner", Renju, B, "*XXXX", 0, 0, true, None},
    {"FiveAtTheRightEdgeAboveAStoneOnTheLeft", Renju, B, "..........XXXX*|X", 0, 5, true, None},
    // A false three: its only straight four comes from a square that would be a double four,
    // so only one three is real. Without the column's top stone it is a four and a three.
    {"FalseThreeWhoseFourPointIsDoubleFour", Renju, B,
     "........|...X....|...X...X|...X..X.|..X.X*..", 4, 6, false, None},
    {"TrueThreeWhenTheFourPointIsAllowed", Renju, B, "........|........|...X...X|...X..X.|..X.X*..",
     4, 6, false, DoubleThree},
    // The same trap one stone further: the completing square would be a four and two threes,
    // one of which holds only because its other completing square is a double four.
    {"FalseThreeWhoseFourPointIsFourThreeThree", Renju, B, ".....X|.....X|O.XX*.|....X.X|....X..X",
     3, 5, false, None},
    {"TrueThreeWhenTheFourPointIsFourThree", Renju, B, ".....X|.....X|O.XX*.|....X.X|....X", 3, 5,
     false, DoubleThree},
    // White is free of fouls, and wins by an overline too.
    {"WhiteMayDoubleFour", Renju, W, "...O|...O|...O|OOO*", 5, 5, false, None},
    {"WhiteOverlineWins", Renju, W, "OO*OOO", 5, 5, true, None},
    {"FourIsNoWin", Renju, W, "OO*O", 5, 5, false, None},
    // Standard: exactly five for both; freestyle: five or more for both; no fouls in either.
    {"StandardBlackOverlineWinsNothing", Standard, B, "XX*XXX", 5, 5, false, None},
    {"StandardDoubleThreeIsAllowed", Standard, B, "...X|...X|.XX*", 5, 5, false, None},
    {"StandardFiveBesideOverline", Standard, W, "...O|...O|...O|OOO*O|...O|...O", 5, 5, true, None},
    {"FreestyleBlackOverlineWins", Freestyle, B, "XX*XXX", 5, 5, true, None},
    {"FreestyleDoubleFourIsAllowed", Freestyle, B, "...X|...X|...X|XXX*", 5, 5, false, None},
};

class JudgeTest : public testing::TestWithParam<TCase> {};

TEST_P(JudgeTest, GivesTheVerdictOfTheRules) {
    const auto& [name, rule, colour, rows, left, top, wins, foul] = GetParam();
    TRuleBoard board(SmallBoardSize);
    int sx = -1, sy = -1;
    for (int x = left, y = top; char ch : std::string_view(rows)) {
        if (ch == '*') {
            sx = x;
            sy = y;
        } else if (ch == 'X' || ch == 'O') {
            board.Set(x, y, ch == 'X' ? BlackStone : WhiteStone);
        }
        x = ch == '|' ? left : x + 1;
        y += ch == '|';
    }
    const TVerdict empty = Judge(rule, board, sx, sy, colour);
    EXPECT_EQ(std::tuple(empty.Wins, std::string(FoulName(empty.Foul)), empty.Allowed()),
              std::tuple(wins, std::string(FoulName(foul)), foul == None));
    // The stone already played on the square gets the same verdict, and the winner follows it.
    board.Set(sx, sy, colour);
    const TVerdict played = Judge(rule, board, sx, sy, colour);
    EXPECT_EQ(std::pair(played.Wins, played.Foul), std::pair(wins, foul));
    EXPECT_EQ(Winner(rule, board), wins ? colour : NoStone);
}

INSTANTIATE_TEST_SUITE_P(Table, JudgeTest, testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(std::get<0>(info.param)); });

// The written game's board, 19x19 from 1, as the judge reads it.
class TGameView : public TBoardView {
public:
    int Size() const override { return BoardSize; }
    TStoneColor At(int x, int y) const override { return Game.Board[x + 1][y + 1]; }
};

TEST_F(BoardTest, FreestyleAgreesWithTheWrittenGameOnRandomGames) {
    const TGameView view;
    SeedRandom(20240611);
    int fives = 0;
    for (int game = 0; game < 60; ++game) {
        ResetGameState();
        NewBoard();
        // Stones crowd a small square of the board so that fives come often, edges too.
        const int corner = std::array{1, 6, 12}[game % 3];
        for (int move = 0; !Game.FiveMade && move < 200; ++move) {
            const int x = corner + RandomDraw(8), y = corner + RandomDraw(8);
            if (Game.Board[x][y] != NoStone) {
                continue;
            }
            const TStoneColor c = move % 2 == 0 ? BlackStone : WhiteStone;
            const bool wins = Judge(TRule::Freestyle, view, x - 1, y - 1, c).Wins;
            ReplayMove(x, y, c);
            ASSERT_EQ(wins, Game.FiveMade) << "game " << game << " at " << x << "," << y;
        }
        fives += Game.FiveMade;
    }
    EXPECT_GT(fives, 30);
}

} // namespace

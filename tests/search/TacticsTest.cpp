// Rennor Emperor's rules of play on small drawn positions: win at once, stop a four, stop an
// open three unless a stronger threat comes first; bad positions; stopping.
#include "search/Emperor.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string_view>
#include <thread>

namespace {

using TSquare = std::pair<int, int>;

// A drawing of part of the board, black to move: 'X' black, 'O' white, '|' ends a row, anything
// else is empty; its first row and column lie at (left, top).
TSearchPosition Drawn(int size, std::string_view rows, int left, int top) {
    TSearchPosition p{size, {}, BlackStone};
    for (int x = left, y = top; char c : rows) {
        if (c == 'X' || c == 'O') {
            p.Stones.push_back({x, y, c == 'X' ? BlackStone : WhiteStone});
        }
        x = c == '|' ? left : x + 1;
        y += c == '|';
    }
    return p;
}

TSearchResult Think(const TSearchPosition& p, int ms = 300) {
    TEmperor emperor(std::size_t{1} << 20);
    const std::atomic<bool> never{false};
    return emperor.Think(p, TSearchLimits{std::chrono::milliseconds(ms)}, never);
}

struct TTactic {
    const char* Name;
    int Size;
    const char* Rows;
    int Left, Top;
    std::set<TSquare> Answers; // in drawing coordinates
};

const TTactic Tactics[] = {
    {"FiveBeforeBlockingFive", 19, ".XXXX.|......|.OOOO.", 6, 6, {{0, 0}, {5, 0}}},
    {"FiveInTheGap", 19, "XX.XX|OO.OO", 7, 7, {{2, 0}}},
    {"SixInARowWinsToo", 19, "OXXXX.X|OOO....", 6, 7, {{5, 0}}},
    {"FiveInTheCornerOfTheSmallest", 15, "....O|O...X|O...X|O...X|....X", 10, 9, {{4, 5}}},
    {"FiveOnTheEdgeOfTheLargest",
     22,
     "X.....|X...O.|X..O..|X.O...|...O..",
     0,
     17,
     {{0, -1}, {0, 4}}},
    {"BlocksAFour", 19, "XOOOO.|..X...|...X..", 6, 6, {{5, 0}}},
    {"BlocksABrokenFour", 19, "OO.OO|..X..|.X...", 6, 6, {{2, 0}}},
    {"BlocksAFourBeforeMakingItsOwnFour", 19, "XOOOO.|.X....|.X....|.X....", 6, 6, {{5, 0}}},
    {"BlocksAnOpenThreeNextToIt", 19, "...OOO...|.........|X.......X", 5, 8, {{2, 0}, {6, 0}}},
    {"BlocksASplitThreeOnItsLine",
     19,
     "..OO.O..|........|X......X",
     5,
     8,
     {{1, 0}, {4, 0}, {6, 0}}},
    {"OpenFourBeatsBlockingAThree", 19, "..XXX...|........|...OOO..", 5, 8, {{1, 0}, {5, 0}}},
    {"OpensInTheCentreOfTheSmallest", 15, "", 0, 0, {{7, 7}}},
    {"OpensInTheCentreOfTheLargest", 22, "", 0, 0, {{11, 11}}}};

class TacticsTest : public testing::TestWithParam<TTactic> {};

TEST_P(TacticsTest, PlaysTheOnlyGoodAnswers) {
    const TTactic& t = GetParam();
    TSearchPosition p = Drawn(t.Size, t.Rows, t.Left, t.Top);
    std::set<TSquare> answers;
    for (auto [x, y] : t.Answers) {
        answers.insert({t.Left + x, t.Top + y});
    }
    const TSearchResult r = Think(p);
    EXPECT_TRUE(answers.contains({r.X, r.Y})) << "played " << r.X << "," << r.Y;
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
                                   {15, {centre}, NoStone}};
    for (const TSearchPosition& p : bad) {
        EXPECT_FALSE(TEmperor::Problem(p).empty());
        EXPECT_THROW(Think(p), std::invalid_argument);
    }
}

TEST(EmperorTest, HasNoMoveWhenTheGameIsOver) {
    EXPECT_FALSE(Think(Drawn(15, "XXXXX|OOOO.", 3, 3)).HasMove());
    TSearchPosition full{15, {}, BlackStone};
    for (int i = 0; i < 15 * 15; ++i) {
        // Pairs along the rows, shifted a square each row: no line holds more than two alike.
        const int x = i % 15, y = i / 15;
        full.Stones.push_back({x, y, (x / 2 + y) % 2 ? BlackStone : WhiteStone});
    }
    EXPECT_FALSE(Think(full).HasMove());
}

} // namespace

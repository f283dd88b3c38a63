// Rennor Emperor's rules of play on small drawn positions: win at once, stop a four, stop an
// open three unless a stronger threat comes first; bad positions; stopping.
#include "search/Emperor.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <thread>

namespace {

using TSquare = std::pair<int, int>;

// A drawing of part of the board: 'X' black, 'O' white, anything else empty; its first row and
// column lie at (left, top).
TSearchPosition Drawn(int size, std::vector<std::string> rows, int left, int top) {
    TSearchPosition p{size, {}, BlackStone};
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
            const char c = rows[y][x];
            if (c == 'X' || c == 'O') {
                p.Stones.push_back({left + x, top + y, c == 'X' ? BlackStone : WhiteStone});
            }
        }
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
    std::vector<std::string> Rows; // black (X) to move
    int Left, Top;
    std::set<TSquare> Answers; // in drawing coordinates
};

const TTactic Tactics[] = {
    {"FiveBeforeBlockingFive", 19, {".XXXX.", "......", ".OOOO."}, 6, 6, {{0, 0}, {5, 0}}},
    {"FiveInTheGap", 19, {"XX.XX", "OO.OO"}, 7, 7, {{2, 0}}},
    {"SixInARowWinsToo", 19, {"OXXXX.X", "OOO...."}, 6, 7, {{5, 0}}},
    {"FiveInTheCornerOfTheSmallest",
     15,
     {"....O", "O...X", "O...X", "O...X", "....X"},
     10,
     9,
     {{4, 5}}},
    {"FiveOnTheEdgeOfTheLargest",
     22,
     {"X.....", "X...O.", "X..O..", "X.O...", "...O.."},
     0,
     17,
     {{0, -1}, {0, 4}}},
    {"BlocksAFour", 19, {"XOOOO.", "..X...", "...X.."}, 6, 6, {{5, 0}}},
    {"BlocksABrokenFour", 19, {"OO.OO", "..X..", ".X..."}, 6, 6, {{2, 0}}},
    {"BlocksAFourBeforeMakingItsOwnFour", 19, {".OOOO", "X....", "X....", "X...."}, 6, 6, {{0, 0}}},
    {"BlocksAnOpenThreeNextToIt",
     19,
     {"...OOO...", ".........", "X.......X"},
     5,
     8,
     {{2, 0}, {6, 0}}},
    {"BlocksASplitThreeOnItsLine",
     19,
     {"..OO.O..", "........", "X......X"},
     5,
     8,
     {{1, 0}, {4, 0}, {6, 0}}},
    {"OpenFourBeatsBlockingAThree",
     19,
     {"..XXX...", "........", "...OOO.."},
     5,
     8,
     {{1, 0}, {5, 0}}},
};

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
    const TSearchPosition bad[] = {
        {14, {}, BlackStone},
        {23, {}, BlackStone},
        {15, {{15, 0, BlackStone}}, WhiteStone},
        {15, {{0, -1, BlackStone}}, WhiteStone},
        {15, {centre, {7, 7, WhiteStone}}, BlackStone},
        {15, {{1, 1, NoStone}}, WhiteStone},
        {15, {centre}, NoStone},
    };
    for (const TSearchPosition& p : bad) {
        EXPECT_FALSE(TEmperor::Problem(p).empty());
        EXPECT_THROW(Think(p), std::invalid_argument);
    }
}

TEST(EmperorTest, HasNoMoveWhenTheGameIsOver) {
    EXPECT_FALSE(Think(Drawn(15, {"XXXXX", "OOOO."}, 3, 3)).HasMove());
    TSearchPosition full{15, {}, BlackStone};
    for (int i = 0; i < 15 * 15; ++i) {
        // Pairs along the rows, shifted a square each row: no line holds more than two alike.
        const int x = i % 15, y = i / 15;
        full.Stones.push_back({x, y, (x / 2 + y) % 2 ? BlackStone : WhiteStone});
    }
    EXPECT_FALSE(Think(full).HasMove());
}

TEST(EmperorTest, OpensInTheCentreOfAnyBoard) {
    for (int size : {15, 19, 20, 22}) {
        const TSearchResult r = Think({size, {}, WhiteStone});
        EXPECT_EQ(std::pair(r.X, r.Y), std::pair(size / 2, size / 2));
    }
}

// A search with an hour to think ends as soon as it is told to, with a legal move.
TEST(EmperorTest, StopsWhenToldAndStillAnswers) {
    const TSearchPosition p =
        Drawn(19, {"..X..O..", ".OXX.O..", "..OXO...", "...OX...", "..X..O.."}, 6, 6);
    const auto hour = TSearchLimits{std::chrono::hours(1)};
    TEmperor emperor;
    const std::atomic<bool> stopped{true};
    const TSearchResult byFlag = emperor.Think(p, hour, stopped);
    TSearchResult byToken;
    std::jthread thinker([&](std::stop_token stop) { byToken = emperor.Think(p, hour, stop); });
    thinker.request_stop();
    thinker.join();
    for (const TSearchResult& r : {byFlag, byToken}) {
        EXPECT_TRUE(r.Stopped);
        ASSERT_TRUE(r.HasMove());
        for (const TSearchStone& s : p.Stones) {
            EXPECT_FALSE(s.X == r.X && s.Y == r.Y);
        }
    }
}

} // namespace

// The computer player's potentials, choices, hints and ratings on the worked examples.
#include "BoardTestSupport.h"

#include "engine/Choice.h"

#include <tuple>

namespace {

// The square pick names: ChooseMove for the computer's move, BestSquare for the hint.
std::pair<int, int> Chosen(void (*pick)(std::uint8_t&, std::uint8_t&) = ChooseMove) {
    std::uint8_t x, y;
    pick(x, y);
    return {x, y};
}

TEST_F(BoardTest, EmptyBoardHasNoPotentialAndEveryChoiceIsTheCentreWhateverTheStoreHolds) {
    for (int randomness = 1; randomness <= 11; ++randomness) {
        Live.Randomness = randomness;
        Live.ADFactor = 3 * randomness - 17; // -14 to 16
        EXPECT_EQ(Chosen(), std::make_pair(10, 10));
    }
    EXPECT_EQ(Chosen(BestSquare), std::make_pair(10, 10));
    // An edited store's randomness is clamped.
    Live.Randomness = -7;
    EXPECT_EQ(std::pair(EffectiveRandomness(), Chosen()), std::pair(1, std::make_pair(10, 10)));
    Live.Randomness = 40;
    EXPECT_EQ(EffectiveRandomness(), 11);
    EXPECT_EQ(SquareRating(3, 4), 0);
    EXPECT_EQ(SquareTotal(1, 1, BlackStone, 16), 0);
}

// A corner opening is answered on the first shared square; after two stones on a diagonal only the
// strongest defence (track bar 0) prefers the other of the tied squares.
TEST_F(BoardTest, DeterministicChoicesForEveryAttackDefenceSetting) {
    for (int bar = 0; bar <= 32; ++bar) {
        Live.ADFactor = bar - 16;
        NewBoard();
        MakeMove(1, 1);
        EXPECT_EQ(Chosen(), std::make_pair(1, 2)) << "corner, track bar " << bar;
        NewBoard();
        Play({{10, 10}, {9, 9}});
        const auto expected = bar == 0 ? std::make_pair(8, 9) : std::make_pair(9, 10);
        EXPECT_EQ(Chosen(), expected) << "diagonal, track bar " << bar;
    }
}

TEST_F(BoardTest, OneBlackStoneSpreadsItsWindowValuesIntoHintAndRatings) {
    MakeMove(10, 10);
    const auto& p = Game.Potential;
    EXPECT_EQ(std::tuple(p[11][10][BlackStone], p[11][11][BlackStone], p[12][10][BlackStone],
                         p[14][10][BlackStone], p[15][10][BlackStone]),
              std::tuple(16, 16, 12, 4, 0));
    EXPECT_EQ(Chosen(BestSquare), std::make_pair(9, 9));
    EXPECT_EQ(std::tuple(SquareRating(9, 9), SquareRating(11, 10), SquareRating(12, 10),
                         SquareRating(8, 8), SquareRating(14, 10), SquareRating(15, 10)),
              std::tuple(100, 100, 75, 75, 25, 0));
}

// Off the diagonal, where a square and its mirror differ: the hint square rates a hundred, also
// among the squares of its row alone, and every other square no more.
TEST_F(BoardTest, TheHintSquareRatesAHundredAndNoSquareMore) {
    Play({{10, 10}, {1, 19}, {11, 10}, {19, 1}});
    const auto [X, Y] = Chosen(BestSquare);
    EXPECT_EQ(SquareRating(X, Y), 100);
    EXPECT_EQ(SquareRating(X, Y, [Y](int, int y) { return y == Y; }), 100);
    EXPECT_LT(SquareRating(Y, X), 100);
    for (int square = 0; square < BoardSize * BoardSize; ++square) {
        EXPECT_LE(SquareRating(square / BoardSize + 1, square % BoardSize + 1).value_or(0), 100);
    }
}

} // namespace

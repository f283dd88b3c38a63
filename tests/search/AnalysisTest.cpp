// Emperor's judgement in words for known positions, and the review of a game with planted
// mistakes.
#include "search/Analysis.h"
#include "ForcedWins.h"
#include "search/SearchBoard.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

using namespace std::chrono_literals;

TAnalysis AnalysisOf(const TSearchPosition& p) {
    TEmperor emperor(std::size_t{1} << 20);
    return Analyse(emperor, p, 300ms, Never);
}
std::string WordsFor(const TSearchPosition& p) {
    return AnalysisWords(AnalysisOf(p));
}

// "Even" and wins by fours are read in the analysis window's test, and below in a review.
TEST(AnalysisTest, SaysWhoWinsHowSoonAndHow) {
    // Two open threes of white's, black to move with nothing to force: one block is not enough.
    const TSearchPosition lost = Drawn(15,
                                       "X.........|...OOO....|.........O|.........O|"
                                       ".........O|X.........|..........|X..X.X....",
                                       BlackStone, 2, 3);
    const TAnalysis lostSeen = AnalysisOf(lost);
    EXPECT_EQ(AnalysisWords(lostSeen), "White wins in 2");
    // Its line goes on to white's five, through the open four that the search never stores.
    TSearchBoard board = BoardOf(lost);
    for (const TSearchStone& s : lostSeen.Line) {
        board.Play(board.CellOf(s.X, s.Y));
    }
    EXPECT_TRUE(board.HasFive() && lostSeen.Line.back().Color == WhiteStone)
        << lostSeen.Line.size();
    // In a quiet position the line shown goes on past the first move, a square at most once.
    const std::vector<TSearchStone> line = AnalysisOf(Drawn(15, "X.|.O", BlackStone, 7, 7)).Line;
    std::set<std::pair<int, int>> squares;
    for (const TSearchStone& s : line) {
        squares.emplace(s.X, s.Y);
    }
    EXPECT_GT(squares.size(), 1u);
    EXPECT_EQ(squares.size(), line.size());
    // It starts with the move chosen: against an open three, a block at one of its ends. With the
    // move, the three's owner wins by an open four.
    const TSearchPosition three = Drawn(15, "|||....XXX|||.....O.O", WhiteStone);
    const TSearchStone block = AnalysisOf(three).Line.at(0);
    EXPECT_TRUE(block.Y == 3 && (block.X == 3 || block.X == 7)) << block.X << "," << block.Y;
    EXPECT_EQ(WordsFor({three.Size, three.Stones, BlackStone}), "Black wins in 2 by fours");
    // A four, then two open threes at once through its stone: by threats, though it starts with
    // a four and every square of white's answers would give black a four.
    EXPECT_EQ(WordsFor(Drawn(15, "O|.X|..X|...X|.....X|......X|......X", BlackStone, 3, 3)),
              "Black wins in 4 by threats");
    EXPECT_EQ(WordsFor(Drawn(15, "X", WhiteStone, 7, 7)), "Even"); // the first stone alone
    // Two stones with a gap and the move against one stone: far ahead, with nothing forced
    // within a few moves. A search deep enough finds the win some eight moves on, which a fast
    // machine reaches in the analysis's time.
    const std::string ahead = WordsFor(Drawn(15, "X.X|...|O", BlackStone, 5, 5));
    EXPECT_TRUE(ahead == "Black is much better" || ahead.starts_with("Black wins in ")) << ahead;
    EXPECT_EQ(WordsFor(Drawn(15, "XXXXX|OOOO.", WhiteStone, 6, 6)), "Black has won");
}

TEST(AnalysisTest, ReviewFindsTheLossAllowedAndTheWinMissed) {
    // Black's open three on row 7 stands from move 5. White's 6th ignores it, black's 7th
    // ignores the open four it could make, the last move of the game.
    const std::vector<TSearchStone> moves = {
        {7, 7, BlackStone}, {8, 8, WhiteStone}, {6, 7, BlackStone},  {8, 6, WhiteStone},
        {5, 7, BlackStone}, {0, 0, WhiteStone}, {12, 12, BlackStone}};
    TEmperor emperor(std::size_t{1} << 20);
    int calls = 0;
    const auto points = ReviewGame(emperor, {15, {}, BlackStone, TRule::Freestyle}, moves, 100ms,
                                   Never, [&](int done, int total) {
                                       EXPECT_EQ(total, 8);
                                       EXPECT_EQ(done, ++calls);
                                   });
    EXPECT_EQ(calls, 8); // each position once, the last after the last move, and no more
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(std::tuple(points[0].Move, points[0].WinMissed, points[1].Move, points[1].WinMissed,
                         points[1].Better.Y),
              std::tuple(6, false, 7, true, 7)); // the open four, at either end
    EXPECT_TRUE(points[1].Better.X == 4 || points[1].Better.X == 8);
    EXPECT_EQ(AnalysisWords(points[1].Before), "Black wins in 2 by fours");
}

} // namespace

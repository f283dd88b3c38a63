// Rennor Emperor against slow, plainly right references: its search by fours against a search of
// every move, on positions a few fours from five, turned, mirrored and with the colours
// exchanged; wins by threes, the evaluation's sign from both sides, and the exact answers of
// fixed-depth searches.
#include "ForcedWins.h"

#include "search/AlphaBeta.h"
#include "search/ThreatSearch.h"

#include <gtest/gtest.h>

namespace {

const std::vector<TForcedWin> Wins = ReadForcedWins(RENNOR_FORCED_WINS);

// Whether `me` makes five within `moves` moves of its own, each but the last a four that the
// defender must stop; every empty square is tried, and every block of a four with two ends.
bool WinsByFours(TPlainBoard& b, TStoneColor me, int moves) {
    if (!b.Fives(me).empty()) {
        return true;
    }
    const auto theirs = b.Fives(Opponent(me));
    if (moves <= 1 || theirs.size() > 1) {
        return false;
    }
    for (int i = 0; i < b.Size * b.Size; ++i) {
        const std::pair s{i % b.Size, i / b.Size};
        if (!b.Empty(s.first, s.second) || (!theirs.empty() && !theirs.contains(s))) {
            continue;
        }
        b.Put(s.first, s.second, me);
        const auto mine = b.Fives(me);
        bool wins = !mine.empty();
        for (auto it = mine.begin(); wins && it != mine.end(); ++it) {
            b.Put(it->first, it->second, Opponent(me));
            wins = WinsByFours(b, me, moves - 1);
            b.Put(it->first, it->second, NoStone);
        }
        b.Put(s.first, s.second, NoStone);
        if (wins) {
            return true;
        }
    }
    return false;
}

// The position turned a quarter `turns` times, mirrored, and with the colours exchanged.
TSearchPosition Moved(TSearchPosition p, int turns, bool mirror, bool swap) {
    for (TSearchStone& s : p.Stones) {
        for (int t = 0; t < turns; ++t) {
            s = {p.Size - 1 - s.Y, s.X, s.Color};
        }
        s.X = mirror ? p.Size - 1 - s.X : s.X;
        s.Color = swap ? Opponent(s.Color) : s.Color;
    }
    p.ToMove = swap ? Opponent(p.ToMove) : p.ToMove;
    return p;
}

// Positions one to three fours from five: the first of each three-four win, and what is left of
// it after each four of Rennor Emperor's line and its block.
std::vector<TSearchPosition> NearFives() {
    std::vector<TSearchPosition> near;
    for (const TForcedWin& w : Wins) {
        if (w.Fours != 3 || near.size() >= 6) {
            continue;
        }
        TSearchPosition p = w.Position;
        TEmperor emperor(std::size_t{1} << 20);
        const auto line = emperor.Think(p, {std::chrono::seconds(5)}, Never).WinLine;
        for (std::size_t i = 0; i + 1 < line.size() && i < 4; i += 2) {
            near.push_back(p);
            p.Stones.push_back({line[i].first, line[i].second, p.ToMove});
            p.Stones.push_back({line[i + 1].first, line[i + 1].second, Opponent(p.ToMove)});
        }
    }
    return near;
}

// With n fours allowed the search finds a win whenever one of n fours and a five exists, and
// only when one of n + 1 fours and a five does; the line it gives wins.
TEST(ReferenceTest, SearchByFoursAgreesWithEveryMoveTriedTurnedMirroredAndExchanged) {
    const std::vector<TSearchPosition> positions = NearFives();
    ASSERT_EQ(positions.size(), 6u);
    for (const TSearchPosition& p : positions) {
        TPlainBoard plain(p);
        bool brute[5];
        for (int moves = 1; moves <= 4; ++moves) {
            brute[moves] = WinsByFours(plain, p.ToMove, moves);
        }
        for (int v = 0; v < 16; ++v) {
            const TSearchPosition moved = Moved(p, v % 4, v / 4 % 2, v / 8);
            for (int fours = 0; fours <= 2; ++fours) {
                SCOPED_TRACE(testing::Message() << p.Stones.size() << " stones, variant " << v
                                                << ", " << fours << " fours");
                TSearchBoard board = BoardOf(moved);
                TSearchClock clock(TSearchClock::TClock::now() + std::chrono::hours(1), Never);
                TThreatSearch search(board, clock);
                const bool found = search.Vcf(fours, 1u << 20);
                EXPECT_TRUE(!brute[fours + 1] || found);
                EXPECT_TRUE(!found || brute[fours + 2]);
                std::vector<std::pair<int, int>> line;
                for (TCell c : search.Line()) {
                    line.emplace_back(board.XOf(c), board.YOf(c));
                }
                EXPECT_TRUE(!found || ProvesFourWin(moved, line));
            }
        }
    }
}

// The last of `times` searches of the position by one player, each on the table the ones before
// it filled.
TSearchResult ThinkTo(const TSearchPosition& p, int depth = 60, int times = 1) {
    TEmperor emperor(std::size_t{1} << 20);
    TSearchResult r;
    for (int i = 0; i < times; ++i) {
        r = emperor.Think(p, {std::chrono::seconds(10), depth, 1}, Never);
    }
    return r;
}

// Black's two open twos meet on (7,7): two open threes there win by threats, not by fours.
// White to move takes that square or a square of the fork's lines.
TEST(ReferenceTest, WinsByThreesInEveryTurnAndWithColoursExchanged) {
    const char* fork = "|||||.......X|.......X|.....XX..|||||O|..........O|....O";
    for (int v = 0; v < 16; ++v) {
        SCOPED_TRACE(v);
        const TSearchPosition p = Moved(Drawn(15, fork, BlackStone), v % 4, v / 4 % 2, v / 8);
        TSearchBoard board = BoardOf(p);
        TSearchClock clock(TSearchClock::TClock::now() + std::chrono::hours(1), Never);
        TThreatSearch search(board, clock);
        EXPECT_FALSE(search.Vcf(40, 1u << 20));
        ASSERT_TRUE(search.Vct(2, 1u << 20));
        const TSearchStone fork = Moved({15, {{7, 7}}}, v % 4, v / 4 % 2, false).Stones[0];
        EXPECT_EQ(search.Line().front(), board.CellOf(fork.X, fork.Y));
        const TSearchResult r = ThinkTo(p);
        EXPECT_EQ(std::tuple(r.ForcedWin(), r.X, r.Y), std::tuple(true, fork.X, fork.Y));
    }
}

// The line found ends in black's five, and the same search, asked next for one threat, still finds
// none: what it learnt with two must not count.
TEST(ReferenceTest, AWinByTwoThreatsIsNotFoundWithOneByTheSameSearch) {
    const TSearchPosition p = TwoThreatsAgainstFours();
    TSearchBoard board = BoardOf(p);
    TSearchClock clock(TSearchClock::TClock::now() + std::chrono::hours(1), Never);
    TThreatSearch search(board, clock);
    ASSERT_TRUE(search.Vct(2, 1u << 22));
    TPlainBoard plain(p);
    const std::vector<TCell> line = search.Line();
    for (std::size_t i = 0; i < line.size(); ++i) {
        const int x = board.XOf(line[i]);
        const int y = board.YOf(line[i]);
        ASSERT_TRUE(plain.Empty(x, y));
        plain.Put(x, y, i % 2 == 0 ? BlackStone : WhiteStone);
        EXPECT_EQ(plain.MakesFive(x, y), i + 1 == line.size()) << i;
    }
    EXPECT_FALSE(search.Vct(1, 1u << 22));
    EXPECT_FALSE(TThreatSearch(board, clock).Vct(1, 1u << 22));
}

// Black's split two against white's scattered stones: good for black, bad for white, whoever
// moves, by the same score turned, mirrored and with the colours exchanged. One move deep: deeper,
// moves of equal promise cut from a list in a turned board's order may change the score.
TEST(ReferenceTest, TheSideWithTheBetterShapesScoresAboveEvenFromBothSides) {
    for (TStoneColor toMove : {BlackStone, WhiteStone}) {
        const TSearchPosition p = Drawn(15, "||||...X.X||||||||||O.....O.....O", toMove);
        const int score = ThinkTo(p, 1).Score;
        EXPECT_EQ(score > 20, toMove == BlackStone) << score;
        EXPECT_EQ(score < -20, toMove == WhiteStone) << score;
        EXPECT_EQ(ThinkTo(Moved(p, 1, true, true), 1).Score, score);
    }
}

// Stopped in the middle of a move, the search must take that move back before it answers.
TEST(ReferenceTest, ASearchTheClockStopsLeavesTheBoardAsItFoundIt) {
    TSearchBoard board = BoardOf(Drawn(15, "|||||||.......X.O|........X", WhiteStone));
    const std::uint64_t hash = board.Hash();
    TSearchClock clock(TSearchClock::TClock::now(), Never);
    TTransTable table(1 << 16);
    TAlphaBeta search(board, clock, table);
    std::vector<TCell> moves;
    search.Generate(moves, NoCell, 0, 60);
    EXPECT_TRUE(board.IsEmpty(search.Run(moves, 60).Move));
    EXPECT_EQ(board.Hash(), hash);
}

// Quiet positions searched to a fixed depth: the move, score and count of positions a correct
// search gives. The order of moves, the killers and the answers past the depth change the count
// even where the move stays.
TEST(ReferenceTest, QuietPositionsSearchedToAFixedDepthGiveTheirKnownAnswerAndCount) {
    const std::tuple<const char*, int, int, int, int, std::uint64_t> known[] = {
        {"||||...X.X||||||||||O.....O.....O", 4, 4, 3, 1997, 1288},
        {"|||||||.....X.O|......XO|.....OX.X|......O", 4, 7, 9, 832, 2615},
        {"||||||.....X|......OOO|.....X.X||||X", 5, 5, 7, 572, 1017},
        {"||||||......X|.....OXO|......O.X|.....X.O", 5, 8, 10, 205, 2029},
        {"|||||.....X|......XO|.....OXO|......O.X|.....X", 4, 7, 9, 815, 1208},
        {"||||||......XO|.....OX.|.....XO.|....O..X", 5, 7, 7, 755, 4881}};
    for (const auto& [rows, depth, x, y, score, nodes] : known) {
        const TSearchResult r = ThinkTo(Drawn(15, rows, BlackStone), depth);
        EXPECT_EQ(std::tuple(r.X, r.Y, r.Score, r.Nodes), std::tuple(x, y, score, nodes)) << rows;
        // Asked again, the table's results for the positions after each move stand in for their
        // searches: the same answer, to the point.
        const TSearchResult again = ThinkTo(Drawn(15, rows, BlackStone), depth, 2);
        EXPECT_EQ(std::tuple(again.X, again.Y, again.Score), std::tuple(x, y, score)) << rows;
    }
}

// Positions another thread is searching are put off, not left out: with the positions two moves
// on marked busy, a search still looks at every move, in its own order once a mark is gone. The
// known answer and count of such a search, as above.
TEST(ReferenceTest, MovesAnotherThreadIsSearchingArePutOffNotLeftOut) {
    TSearchBoard board = BoardOf(Drawn(15, "||||||.....X|......OOO|.....X.X||||X", BlackStone));
    TTransTable table(1 << 20);
    std::vector<TCell> first, second;
    board.Candidates(first);
    for (TCell a : first) {
        board.Play(a);
        board.Candidates(second);
        for (TCell b : second) {
            table.Enter(board.HashAfter(b));
        }
        board.Undo();
    }
    TSearchClock clock(TSearchClock::TClock::time_point::max(), Never);
    TAlphaBeta search(board, clock, table);
    std::vector<TCell> moves;
    search.Generate(moves, NoCell, 0, 5);
    const TAlphaBeta::TOutcome outcome = search.Run(moves, 5);
    EXPECT_EQ(
        std::tuple(board.XOf(outcome.Move), board.YOf(outcome.Move), outcome.Score, search.Nodes()),
        std::tuple(5, 7, 572, std::uint64_t{1005}));
}

// Under renju, white's four whose only block is black's double four: black has lost, and plays
// the first square it may, in the corner.
TEST(ReferenceTest, BlackWhoseOnlyBlockIsAFoulPlaysTheFirstLawfulSquare) {
    TSearchPosition p{15, {}, BlackStone, TRule::Renju};
    for (auto [x, y] : {std::pair{8, 5}, {8, 6}, {8, 7}, {5, 8}, {6, 8}, {7, 8}, {13, 3}, {7, 9}}) {
        p.Stones.push_back({x, y, BlackStone});
    }
    for (auto [x, y] : {std::pair{9, 7}, {10, 6}, {11, 5}, {12, 4}, {0, 14}, {3, 14}, {6, 14}}) {
        p.Stones.push_back({x, y, WhiteStone});
    }
    const TSearchResult r = ThinkTo(p);
    EXPECT_EQ(std::tuple(r.X, r.Y, r.Score < -WinThreshold), std::tuple(0, 0, true));
}

} // namespace

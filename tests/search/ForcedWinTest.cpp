// Rennor Emperor finds each win of the forced-win set and plays it out, four after four, to five.
#include "ForcedWins.h"

#include <gtest/gtest.h>

namespace {

const std::vector<TForcedWin> Wins = ReadForcedWins(RENNOR_FORCED_WINS);

class ForcedWinTest : public testing::TestWithParam<std::size_t> {};

// The defender answers every four on the one square that stops five; the attacker, Rennor
// Emperor, must make five without ever giving it a free move.
TEST_P(ForcedWinTest, FindsTheWinAndPlaysItToFive) {
    const TForcedWin& win = Wins.at(GetParam());
    TSearchPosition now = win.Position;
    const TStoneColor me = now.ToMove;
    TPlainBoard board(now);
    const auto play = [&](int x, int y, TStoneColor c) {
        board.Put(x, y, c);
        now.Stones.push_back({x, y, c});
    };
    TEmperor emperor(std::size_t{4} << 20);
    const std::atomic<bool> never{false};
    // A win takes milliseconds; a second leaves room for sanitizers and a loaded machine, and a
    // fault that hides wins costs 40 seconds, not minutes.
    for (int attack = 0; attack <= 2 * win.Fours + 2; ++attack) {
        const TSearchResult r = emperor.Think(now, {std::chrono::seconds(1)}, never);
        ASSERT_TRUE(r.ForcedWin()) << "move " << attack;
        ASSERT_TRUE(attack > 0 || ProvesFourWin(win.Position, r.WinLine));
        ASSERT_TRUE(board.Empty(r.X, r.Y));
        play(r.X, r.Y, me);
        if (board.MakesFive(r.X, r.Y)) {
            return;
        }
        const auto threats = board.Fives(me);
        ASSERT_FALSE(threats.empty())
            << "move " << attack << " at " << r.X << "," << r.Y << " is no four";
        play(threats.begin()->first, threats.begin()->second, Opponent(me));
    }
    FAIL() << "no five after " << 2 * win.Fours + 2 << " fours";
}

INSTANTIATE_TEST_SUITE_P(Set, ForcedWinTest, testing::Range<std::size_t>(0, Wins.size()));

} // namespace

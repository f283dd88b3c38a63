// Thousands of random games: the incremental counts and potentials always equal a recount.
#include "BoardTestSupport.h"

#include "engine/Choice.h"

#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

void ExpectMatchesRecount(int game, int move) {
    const TRecount r = RecountFromBoard();
    ASSERT_EQ(Game.UntouchedWindows, r.UntouchedWindows) << "game " << game << " move " << move;
    ASSERT_EQ(std::memcmp(Game.WindowCount, r.WindowCount, sizeof r.WindowCount), 0)
        << "window counts, game " << game << " move " << move;
    ASSERT_EQ(std::memcmp(Game.Potential, r.Potential, sizeof r.Potential), 0)
        << "potentials, game " << game << " move " << move;
}

// What a rebuild must restore beyond what the recount checks: stones, turn, latest move, five.
auto Position() {
    const std::string stones(reinterpret_cast<const char*>(Game.Board), sizeof Game.Board);
    return std::tuple(stones, Game.ColorToMove, Game.LastMoveX, Game.LastMoveY, Game.FiveMade);
}

TEST_F(BoardTest, RandomGamesKeepCountsPotentialsAndRebuildsInStep) {
    std::mt19937 rng(20261206);
    constexpr int Games = 2000;
    for (int game = 0; game < Games; ++game) {
        Live.ADFactor = static_cast<int>(rng() % 33) - 16;
        Live.Randomness = 1 + static_cast<int>(rng() % 11);
        const unsigned engineShare = rng() % 101; // per cent of engine moves in this game
        SeedRandom(rng());
        NewBoard();
        std::vector positions{Position()};
        while (!IsGameOver()) {
            if (rng() % 100 < engineShare) {
                ComputerMove();
            } else { // a random empty square
                int x, y;
                do {
                    x = 1 + static_cast<int>(rng() % BoardSize);
                    y = 1 + static_cast<int>(rng() % BoardSize);
                } while (Game.Board[x][y] != NoStone);
                MakeMove(x, y);
            }
            // A full recount is costly; check every move of a few games and the end of all.
            if (game < 200) {
                ExpectMatchesRecount(game, Game.MoveCount);
            }
            positions.push_back(Position());
        }
        ExpectMatchesRecount(game, Game.MoveCount);
        for (int probe = 0; probe < 3; ++probe) {
            const int k = static_cast<int>(rng() % positions.size());
            RebuildPosition(k);
            EXPECT_EQ(Position(), positions[k]) << "game " << game << " rebuilt to " << k;
            ExpectMatchesRecount(game, k);
        }
        if (HasFailure()) {
            return;
        }
    }
}

} // namespace

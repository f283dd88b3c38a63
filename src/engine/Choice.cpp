// One-ply choice over the incremental potentials: no search, one scan of the board.
#include "engine/Choice.h"

#include "core/LiveSettings.h"
#include "core/Random.h"
#include "core/Rules.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::int32_t NoTotal = -2147483647;

// Scans the empty squares, X outer and Y inner, keeping the first square with the highest
// total plus the term that bonus(X, Y) adds; only squares that allowed lets through count.
template <typename Bonus>
void BestOfScan(std::int32_t F, Bonus&& bonus, std::uint8_t& bestX, std::uint8_t& bestY,
                const TSquareFilter& allowed = {}) {
    const TStoneColor c = Game.ColorToMove;
    const TStoneColor o = Opponent(c);
    const auto open = [&allowed](int X, int Y) {
        return Game.Board[X][Y] == NoStone && (!allowed || allowed(X, Y));
    };
    bestX = bestY = CentreSquare;
    std::int32_t best = open(CentreSquare, CentreSquare) ? EffectiveRandomness() : NoTotal;
    for (int X = 1; X <= BoardSize; ++X) {
        for (int Y = 1; Y <= BoardSize; ++Y) {
            if (!open(X, Y)) {
                continue;
            }
            const auto& p = Game.Potential[X][Y];
            const std::int32_t total = bonus() + SquareTotal(p[c], p[o], F);
            if (total > best) {
                best = total;
                bestX = static_cast<std::uint8_t>(X);
                bestY = static_cast<std::uint8_t>(Y);
            }
        }
    }
}

} // namespace

std::int32_t EffectiveRandomness() {
    return std::clamp(Live.Randomness, 1, 11);
}

std::int32_t SquareTotal(int X, int Y, TStoneColor c, std::int32_t F) {
    return SquareTotal(Game.Potential[X][Y][c], Game.Potential[X][Y][Opponent(c)], F);
}

void ChooseMove(std::uint8_t& X, std::uint8_t& Y) {
    const std::int32_t range = EffectiveRandomness();
    const std::int32_t F = std::clamp(Live.ADFactor, -16, 16);
    BestOfScan(
        F, [range] { return RandomDraw(range); }, X, Y);
}

void BestSquare(std::uint8_t& X, std::uint8_t& Y) {
    BestSquare(X, Y, {});
}

void BestSquare(std::uint8_t& X, std::uint8_t& Y, const TSquareFilter& allowed) {
    BestOfScan(
        HintADFactor, [] { return 0; }, X, Y, allowed);
}

void ComputerMove() {
    if (IsGameOver()) {
        return;
    }
    std::uint8_t X, Y;
    ChooseMove(X, Y);
    MakeMove(X, Y);
}

std::optional<int> SquareRating(int X, int Y, const TSquareFilter& allowed) {
    if (!OnBoard(X, Y) || Game.Board[X][Y] != NoStone || (allowed && !allowed(X, Y)) ||
        IsGameOver()) {
        return std::nullopt;
    }
    std::uint8_t BX, BY;
    BestSquare(BX, BY, allowed);
    const std::int32_t best = SquareTotal(BX, BY, Game.ColorToMove, HintADFactor);
    if (best == 0) {
        return 0;
    }
    const double ratio =
        static_cast<double>(SquareTotal(X, Y, Game.ColorToMove, HintADFactor)) / best * 100.0;
    return static_cast<int>(std::nearbyint(ratio)); // the default rounding sends halves to even
}

// A short search per candidate: the opening needs a fair position, not the strongest move.
#include "search/OpeningMoves.h"

#include <cstdlib>
#include <random>

namespace {

// Scores within this of even count as balanced: an open two either way is worth about this much.
constexpr int BalancedMargin = 25;
constexpr int PlacementTries = 6;
constexpr int CentreReach = 2; // stones go at most this far from the centre, either way

// The score of position for white, who moves after the opening stones.
int WhiteScore(TSearchPosition position, std::chrono::milliseconds budget, std::stop_token stop) {
    position.ToMove = WhiteStone;
    TEmperor emperor(std::size_t{1} << 20);
    return emperor.Think(position, TSearchLimits{budget, 60}, std::move(stop)).Score;
}

bool Taken(const TSearchPosition& position, int X, int Y) {
    for (const TSearchStone& s : position.Stones) {
        if (s.X == X && s.Y == Y) {
            return true;
        }
    }
    return false;
}

// The stones continue black, white, black... from the count already on the board.
TSearchPosition RandomPlacement(TSearchPosition position, int count, std::mt19937_64& random) {
    const int centre = position.Size / 2;
    std::uniform_int_distribution<int> offset(-CentreReach, CentreReach);
    while (count > 0) {
        const int X = centre + offset(random);
        const int Y = centre + offset(random);
        if (!Taken(position, X, Y)) {
            const TStoneColor c = position.Stones.size() % 2 == 0 ? BlackStone : WhiteStone;
            position.Stones.push_back({X, Y, c});
            --count;
        }
    }
    return position;
}

} // namespace

TOpeningChoice ChooseOpeningColour(const TSearchPosition& position, bool mayPlaceTwo,
                                   std::chrono::milliseconds budget, std::stop_token stop) {
    const int white = WhiteScore(position, budget, std::move(stop));
    if (mayPlaceTwo && std::abs(white) < BalancedMargin) {
        return TOpeningChoice::PlaceTwoMore;
    }
    return white >= 0 ? TOpeningChoice::PlayWhite : TOpeningChoice::PlayBlack;
}

std::vector<TSearchStone> BalancedPlacement(const TSearchPosition& position, int count,
                                            std::uint64_t seed, std::chrono::milliseconds budget,
                                            std::stop_token stop) {
    std::mt19937_64 random(seed);
    TSearchPosition best;
    int bestDistance = -1;
    for (int i = 0; i < PlacementTries && !stop.stop_requested(); ++i) {
        TSearchPosition tried = RandomPlacement(position, count, random);
        const int distance = std::abs(WhiteScore(tried, budget, stop));
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = std::move(tried);
        }
    }
    if (bestDistance < 0) {
        best = RandomPlacement(position, count, random); // stopped at once: any fair guess
    }
    return {best.Stones.end() - count, best.Stones.end()};
}

// Rennor Emperor's decisions in the swap openings: a balanced placement and the better colour.
#pragma once

#include "search/Emperor.h"

#include <cstdint>
#include <stop_token>
#include <vector>

// The colour to hold in position, white to move after the opening stones: the side Emperor's
// short search favours. With mayPlaceTwo a position too close to call is answered PlaceTwoMore.
TOpeningChoice ChooseOpeningColour(const TSearchPosition& position, bool mayPlaceTwo,
                                   std::chrono::milliseconds budget, std::stop_token stop);

// count stones (black, white, black from an empty board; white, black after three) near the
// centre, as the most even of a few random placements that seed picks.
std::vector<TSearchStone> BalancedPlacement(const TSearchPosition& position, int count,
                                            std::uint64_t seed, std::chrono::milliseconds budget,
                                            std::stop_token stop);

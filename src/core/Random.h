// The game's pseudo-random generator: uniform draws, reseeded from the time of day at each new
// game.
#pragma once

#include <cstdint>

// A draw uniformly distributed over 0 .. range - 1; a range below 2 gives 0.
std::int32_t RandomDraw(std::int32_t range);
void RandomizeFromTimeOfDay();
void SeedRandom(std::uint64_t seed);

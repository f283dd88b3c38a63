// Seeding the game's generator: from a number for tests, from the time of day for play.
#include "core/Random.h"

#include <chrono>

void SeedRandom(std::uint64_t seed) {
    for (auto& word : RandomDetail::State) {
        word = SplitMix(seed);
    }
}

void RandomizeFromTimeOfDay() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    SeedRandom(static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

// Seeding the game's generator: from a number for tests, from the time of day for play.
#include "core/Random.h"

#include <chrono>

namespace {

std::uint64_t SplitMix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

} // namespace

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

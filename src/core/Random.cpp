// A small, fast generator (xoshiro256**) with unbiased bounded draws (Lemire's method).
#include "core/Random.h"

#include <chrono>

namespace {

std::uint64_t State[4] = {0x9E3779B97F4A7C15ull, 0xBF58476D1CE4E5B9ull, 0x94D049BB133111EBull, 1};

std::uint64_t Rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

std::uint64_t Next() {
    const std::uint64_t result = Rotl(State[1] * 5, 7) * 9;
    const std::uint64_t t = State[1] << 17;
    State[2] ^= State[0];
    State[3] ^= State[1];
    State[1] ^= State[2];
    State[0] ^= State[3];
    State[2] ^= t;
    State[3] = Rotl(State[3], 45);
    return result;
}

std::uint64_t SplitMix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

} // namespace

void SeedRandom(std::uint64_t seed) {
    for (auto& word : State) {
        word = SplitMix(seed);
    }
}

void RandomizeFromTimeOfDay() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    SeedRandom(static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

std::int32_t RandomDraw(std::int32_t range) {
    const std::uint32_t bound = range < 1 ? 1u : static_cast<std::uint32_t>(range);
    std::uint64_t product = (Next() >> 32) * bound;
    auto low = static_cast<std::uint32_t>(product);
    if (low < bound) {
        const std::uint32_t threshold = -bound % bound;
        while (low < threshold) {
            product = (Next() >> 32) * bound;
            low = static_cast<std::uint32_t>(product);
        }
    }
    return static_cast<std::int32_t>(product >> 32);
}

// The game's pseudo-random generator: uniform draws, reseeded from the time of day at each new
// game.
#pragma once

#include <cstdint>

void RandomizeFromTimeOfDay();
void SeedRandom(std::uint64_t seed);

// One step of SplitMix64: spreads any seed, even 0 or a count, into well-mixed 64-bit words.
inline std::uint64_t SplitMix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

namespace RandomDetail {

// xoshiro256**: small and fast; the computer draws once for every empty square it looks at.
inline std::uint64_t State[4] = {0x9E3779B97F4A7C15ull, 0xBF58476D1CE4E5B9ull,
                                 0x94D049BB133111EBull, 1};

inline std::uint64_t Rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

inline std::uint32_t Next32() {
    const std::uint64_t result = Rotl(State[1] * 5, 7) * 9;
    const std::uint64_t t = State[1] << 17;
    State[2] ^= State[0];
    State[3] ^= State[1];
    State[1] ^= State[2];
    State[0] ^= State[3];
    State[2] ^= t;
    State[3] = Rotl(State[3], 45);
    return static_cast<std::uint32_t>(result >> 32);
}

} // namespace RandomDetail

// A draw uniformly distributed over 0 .. range - 1 (Lemire's unbiased bounded draw); a range
// below 2 gives 0.
inline std::int32_t RandomDraw(std::int32_t range) {
    const std::uint32_t bound = range < 1 ? 1u : static_cast<std::uint32_t>(range);
    std::uint64_t product = std::uint64_t{RandomDetail::Next32()} * bound;
    if (static_cast<std::uint32_t>(product) < bound) {
        const std::uint32_t threshold = -bound % bound;
        while (static_cast<std::uint32_t>(product) < threshold) {
            product = std::uint64_t{RandomDetail::Next32()} * bound;
        }
    }
    return static_cast<std::int32_t>(product >> 32);
}

// The transposition table: what an earlier search found for a position, keyed by its hash.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

enum class TBound : std::uint8_t { None, Upper, Lower, Exact };

struct TTransEntry {
    std::uint32_t Check = 0; // the hash's high half, to tell positions sharing a slot apart
    std::int32_t Score = 0;
    std::int16_t Move = -1;
    std::int8_t Depth = -1;
    TBound Bound = TBound::None;
};

class TTransTable {
public:
    // Sized to the largest power of two of entries that fits in the given bytes.
    explicit TTransTable(std::size_t bytes) {
        std::size_t count = 1;
        while (count * 2 * sizeof(TTransEntry) <= bytes) {
            count *= 2;
        }
        Entries.resize(count);
        Mask = count - 1;
    }

    const TTransEntry* Find(std::uint64_t hash) const {
        const TTransEntry& e = Entries[hash & Mask];
        return e.Bound != TBound::None && e.Check == static_cast<std::uint32_t>(hash >> 32)
                   ? &e
                   : nullptr;
    }

    // Keeps the deeper result for the slot, but always takes the newest for the same position.
    void Store(std::uint64_t hash, int depth, int score, TBound bound, int move) {
        TTransEntry& e = Entries[hash & Mask];
        const auto check = static_cast<std::uint32_t>(hash >> 32);
        if (e.Check != check && e.Bound != TBound::None && e.Depth > depth + 2) {
            return;
        }
        e = {check, score, static_cast<std::int16_t>(move), static_cast<std::int8_t>(depth), bound};
    }

    void Clear() { std::fill(Entries.begin(), Entries.end(), TTransEntry{}); }

private:
    std::vector<TTransEntry> Entries;
    std::size_t Mask = 0;
};

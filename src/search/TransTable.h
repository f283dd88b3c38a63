// The transposition table: what earlier searches found for each position, on every thread.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

enum class TBound : std::uint8_t { None, Upper, Lower, Exact };

struct TTransEntry {
    std::int16_t Score = 0;
    std::int16_t Move = -1;
    std::int8_t Depth = -1;
    TBound Bound = TBound::None;
    std::uint16_t Stones = 0; // on the board in the entry's position
};

// Each slot is two words, the entry and the hash mixed with it: a slot that two threads write at
// once no longer matches its hash and is simply not found, so no lock is needed.
class TTransTable {
public:
    // Sized to the largest power of two of slots that fits in the given bytes.
    explicit TTransTable(std::size_t bytes) {
        std::size_t count = 1;
        while (count * 2 * sizeof(TSlot) <= bytes) {
            count *= 2;
        }
        Slots = std::make_unique<TSlot[]>(count);
        Count = count;
    }

    std::optional<TTransEntry> Find(std::uint64_t hash) const {
        const TSlot& s = Slots[hash & (Count - 1)];
        const std::uint64_t data = s.Data.load(std::memory_order_relaxed);
        if ((s.Key.load(std::memory_order_relaxed) ^ data) != hash || data == 0) {
            return std::nullopt;
        }
        return Unpack(data);
    }

    // Called before each turn's search. Stones are only ever added during a game, so a position
    // with fewer stones than the turn's can no longer be met: its entry gives way to any other.
    // (After a take-back the turn has fewer stones, and every entry stays in reach.)
    void StartTurn(int stones) { TurnStones = stones; }

    // Keeps the deeper result for the slot, but always takes the newest for the same position.
    void Store(std::uint64_t hash, const TTransEntry& entry) {
        TSlot& s = Slots[hash & (Count - 1)];
        const std::uint64_t old = s.Data.load(std::memory_order_relaxed);
        const bool same = (s.Key.load(std::memory_order_relaxed) ^ old) == hash;
        const TTransEntry kept = Unpack(old);
        if (!same && old != 0 && kept.Stones >= TurnStones && kept.Depth > entry.Depth + 2) {
            return;
        }
        const std::uint64_t data = Pack(entry);
        s.Key.store(hash ^ data, std::memory_order_relaxed);
        s.Data.store(data, std::memory_order_relaxed);
    }

    // Positions some thread is searching right now (deep enough to be worth it). Another thread
    // that meets one among its later moves puts it off: by the time it gets back to it, the
    // table mostly holds the answer. Two positions that share a mark's slot only lose a deferral.
    bool Busy(std::uint64_t hash) const {
        return Marks[hash & (Marks.size() - 1)].load(std::memory_order_relaxed) == hash;
    }
    void Enter(std::uint64_t hash) {
        Marks[hash & (Marks.size() - 1)].store(hash, std::memory_order_relaxed);
    }
    void Leave(std::uint64_t hash) {
        std::uint64_t mine = hash;
        Marks[hash & (Marks.size() - 1)].compare_exchange_strong(mine, 0,
                                                                 std::memory_order_relaxed);
    }

    void Clear() {
        for (std::size_t i = 0; i < Count; ++i) {
            Slots[i].Key.store(0, std::memory_order_relaxed);
            Slots[i].Data.store(0, std::memory_order_relaxed);
        }
    }

private:
    struct TSlot {
        std::atomic<std::uint64_t> Key{0};
        std::atomic<std::uint64_t> Data{0}; // 0 is an empty slot: a stored entry has a bound
    };

    static std::uint64_t Pack(const TTransEntry& e) {
        return static_cast<std::uint16_t>(e.Score) |
               std::uint64_t{static_cast<std::uint16_t>(e.Move)} << 16 |
               std::uint64_t{static_cast<std::uint8_t>(e.Depth)} << 32 |
               std::uint64_t{static_cast<std::uint8_t>(e.Bound)} << 40 |
               std::uint64_t{e.Stones} << 48;
    }
    static TTransEntry Unpack(std::uint64_t data) {
        return {static_cast<std::int16_t>(data & 0xFFFF),
                static_cast<std::int16_t>((data >> 16) & 0xFFFF),
                static_cast<std::int8_t>((data >> 32) & 0xFF),
                static_cast<TBound>((data >> 40) & 0xFF), static_cast<std::uint16_t>(data >> 48)};
    }

    std::unique_ptr<TSlot[]> Slots;
    std::size_t Count = 0;
    std::array<std::atomic<std::uint64_t>, 1 << 12> Marks{};
    int TurnStones = 0;
};

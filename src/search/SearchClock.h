// When a search must stop: its deadline or a stop flag set from another thread.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

class TSearchClock {
public:
    using TClock = std::chrono::steady_clock;

    TSearchClock(TClock::time_point deadline, const std::atomic<bool>& stop)
        : Deadline(deadline), Stop(stop) {}

    // A clock for part of the time left, stopped by the same flag.
    TSearchClock Share(int part, int whole) const {
        return TSearchClock(TClock::now() + Left() * part / whole, Stop);
    }

    // Cheap enough for every node: the clock and the flag are read once in 256 calls, which
    // keeps the answer well within a millisecond of the deadline. Once out, it stays out.
    bool Expired() {
        if (Out) {
            return true;
        }
        if ((++Calls & 255) == 0) {
            Out = Stop.load(std::memory_order_relaxed) || TClock::now() >= Deadline;
        }
        return Out;
    }
    // Reads the clock now, for decisions between stages.
    bool ExpiredNow() {
        Out = Out || Stop.load(std::memory_order_relaxed) || TClock::now() >= Deadline;
        return Out;
    }
    TClock::duration Left() const { return Deadline - TClock::now(); }
    const std::atomic<bool>& StopFlag() const { return Stop; }

private:
    TClock::time_point Deadline;
    const std::atomic<bool>& Stop;
    std::uint32_t Calls = 0;
    bool Out = false;
};

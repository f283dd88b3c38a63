// TSuperTimer's own rules: the running value counting up and down, stopping by itself, interval 0.
#include "timing/SuperTimer.h"

#include "TimingTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <tuple>
#include <vector>

namespace {

struct Recorder {
    std::vector<std::int64_t> Values;
    int Stops = 0;

    void Attach(TSuperTimer& Timer) {
        Timer.SetOnTimer([this, &Timer](QObject*) { Values.push_back(Timer.RunningValue()); });
        Timer.SetOnStop([this](QObject*) { ++Stops; });
    }
};

} // namespace

TEST(TimingSuperTimer, StartsDisabledAtOneSecondAndCountsUpNeverEarly) {
    TSuperTimer Timer;
    EXPECT_EQ(std::tuple(Timer.Enabled(), Timer.Interval(), Timer.ThreadPriority()),
              std::tuple(false, std::uint16_t{1000}, tpHigher));
    EXPECT_EQ(std::tuple(Timer.CountDown(), Timer.TickLimit(), Timer.RunningValue()),
              std::tuple(false, -1, std::int64_t{0}));
    Recorder Rec;
    Rec.Attach(Timer);
    Timer.SetInterval(50);
    Timer.SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return Rec.Values.size() >= 4; }));
    Timer.SetEnabled(false);
    EXPECT_EQ(Rec.Stops, 0);
    // Each tick comes at least an interval after the previous one.
    for (std::size_t I = 0; I < 4; ++I) {
        EXPECT_GE(Rec.Values[I], 50 * static_cast<std::int64_t>(I + 1)) << "tick " << I;
    }
    EXPECT_EQ(Timer.TickCount(), Rec.Values.back() / 50);
    // Interval 0 disables the timer, and it cannot be enabled again until it has an interval.
    Timer.SetEnabled(true);
    Timer.SetInterval(0);
    Timer.SetEnabled(true);
    EXPECT_FALSE(Timer.Enabled());
}

TEST(TimingSuperTimer, CountDownStopsAtTheFirstTickAtOrBelowZero) {
    TSuperTimer Timer;
    Recorder Rec;
    Rec.Attach(Timer);
    Timer.SetInterval(100);
    Timer.SetCountDown(true);
    Timer.SetRunningValue(1000);
    Timer.SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return Rec.Stops > 0; }));
    EXPECT_FALSE(Timer.Enabled());
    ASSERT_FALSE(Rec.Values.empty());
    ASSERT_LE(Rec.Values.size(), 10u);
    EXPECT_LE(Rec.Values.back(), 0);
    for (std::size_t I = 0; I + 1 < Rec.Values.size(); ++I) {
        EXPECT_GT(Rec.Values[I], 0);
        EXPECT_LE(Rec.Values[I], 1000 - 100 * static_cast<std::int64_t>(I + 1));
    }
    const std::size_t Ticks = Rec.Values.size();
    RunEventLoopFor(300);
    EXPECT_EQ(Rec.Values.size(), Ticks);
    EXPECT_EQ(Rec.Stops, 1);
}

TEST(TimingSuperTimer, CountingUpStopsAtTheTickLimit) {
    TSuperTimer Timer;
    Recorder Rec;
    Rec.Attach(Timer);
    Timer.SetInterval(20);
    Timer.SetTickLimit(3);
    Timer.SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return Rec.Stops > 0; }));
    EXPECT_FALSE(Timer.Enabled());
    EXPECT_GE(Timer.TickCount(), 3);
    EXPECT_LE(Rec.Values.size(), 3u);
}

TEST(TimingSuperTimer, EnablingRunsOnFromTheRunningValue) {
    using Clock = std::chrono::steady_clock;
    TSuperTimer Timer;
    std::vector<std::int64_t> Values;
    Clock::time_point FirstTickAt;
    Timer.SetOnTimer([&](QObject*) {
        FirstTickAt = Clock::now();
        Values.push_back(Timer.RunningValue());
        Timer.SetEnabled(false);
    });
    Timer.SetInterval(30);
    Timer.SetRunningValue(5000);
    const Clock::time_point Enabled = Clock::now();
    Timer.SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return !Values.empty(); }));
    const auto Waited =
        std::chrono::duration_cast<std::chrono::milliseconds>(FirstTickAt - Enabled).count();
    EXPECT_GE(Values.front(), 5030);
    EXPECT_LE(Values.front(), 5000 + Waited);
}

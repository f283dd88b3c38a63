// TSuperTimer: ticking, counting down and up, disabling, and ending its worker at any moment.
#include "timing/SuperTimer.h"

#include "TimingTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace {

struct Recorder {
    std::vector<std::int64_t> Values;
    int Stops = 0;
    bool AllOnUiThread = true;
    QObject* Sender = nullptr;

    void Attach(TSuperTimer& Timer) {
        Timer.SetOnTimer([this, &Timer](QObject* S) {
            Sender = S;
            AllOnUiThread = AllOnUiThread && OnUiThread();
            Values.push_back(Timer.RunningValue());
        });
        Timer.SetOnStop([this](QObject*) { ++Stops; });
    }
};

// Holds the user-interface thread without running events, so the worker's next tick is
// handed over and waits in the queue.
void BlockUiThread() {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

} // namespace

TEST(TimingSuperTimer, DefaultsAreDisabledAtOneSecondAndHigherPriority) {
    TSuperTimer Timer;
    EXPECT_FALSE(Timer.Enabled());
    EXPECT_EQ(Timer.Interval(), 1000);
    EXPECT_EQ(Timer.ThreadPriority(), tpHigher);
    EXPECT_FALSE(Timer.CountDown());
    EXPECT_EQ(Timer.TickLimit(), -1);
    EXPECT_EQ(Timer.RunningValue(), 0);
}

TEST(TimingSuperTimer, CountsUpOnTheUserInterfaceThreadNeverEarly) {
    TSuperTimer Timer;
    Recorder Rec;
    Rec.Attach(Timer);
    Timer.SetInterval(50);
    Timer.SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return Rec.Values.size() >= 4; }));
    Timer.SetEnabled(false);
    EXPECT_TRUE(Rec.AllOnUiThread);
    EXPECT_EQ(Rec.Sender, &Timer);
    EXPECT_EQ(Rec.Stops, 0);
    // Each tick comes at least an interval after the previous one.
    for (std::size_t I = 0; I < 4; ++I) {
        EXPECT_GE(Rec.Values[I], 50 * static_cast<std::int64_t>(I + 1)) << "tick " << I;
    }
    EXPECT_EQ(Timer.TickCount(), Rec.Values.back() / 50);
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

TEST(TimingSuperTimer, IntervalZeroDisablesAndStaysDisabled) {
    TSuperTimer Timer;
    Recorder Rec;
    Rec.Attach(Timer);
    Timer.SetInterval(20);
    Timer.SetEnabled(true);
    Timer.SetInterval(0);
    EXPECT_FALSE(Timer.Enabled());
    Timer.SetEnabled(true); // nothing to tick at
    EXPECT_FALSE(Timer.Enabled());
    Timer.SetInterval(20);
    EXPECT_FALSE(Timer.Enabled());
    RunEventLoopFor(200);
    EXPECT_TRUE(Rec.Values.empty());
    EXPECT_EQ(Rec.Stops, 0);
}

TEST(TimingSuperTimer, EnablingRunsOnFromTheRunningValue) {
    using Clock = std::chrono::steady_clock;
    TSuperTimer Timer;
    Recorder Rec;
    Rec.Attach(Timer);
    Clock::time_point FirstTickAt;
    Timer.SetOnTimer([&](QObject*) {
        FirstTickAt = Clock::now();
        Rec.Values.push_back(Timer.RunningValue());
        Timer.SetEnabled(false);
    });
    Timer.SetInterval(30);
    Timer.SetRunningValue(5000);
    const Clock::time_point Enabled = Clock::now();
    Timer.SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return !Rec.Values.empty(); }));
    const auto Waited =
        std::chrono::duration_cast<std::chrono::milliseconds>(FirstTickAt - Enabled).count();
    EXPECT_GE(Rec.Values.front(), 5030);
    EXPECT_LE(Rec.Values.front(), 5000 + Waited);
}

TEST(TimingSuperTimer, ATickHandedOverBeforeDisablingIsDropped) {
    TSuperTimer Timer;
    Recorder Rec;
    Rec.Attach(Timer);
    Timer.SetInterval(5);
    Timer.SetEnabled(true);
    BlockUiThread();
    Timer.SetEnabled(false);
    RunEventLoopFor(100);
    EXPECT_TRUE(Rec.Values.empty());
}

TEST(TimingSuperTimer, HandlerMayStopOrFreeItsOwnTimer) {
    Recorder Rec;
    TSuperTimer Stopped;
    Stopped.SetInterval(10);
    Stopped.SetOnTimer([&](QObject*) {
        Rec.Values.push_back(0);
        Stopped.SetEnabled(false);
    });
    Stopped.SetEnabled(true);

    int FreedTicks = 0;
    auto* Freed = new TSuperTimer;
    Freed->SetInterval(10);
    Freed->SetOnTimer([&](QObject* Sender) {
        ++FreedTicks;
        delete Sender;
    });
    Freed->SetEnabled(true);

    ASSERT_TRUE(WaitFor([&] { return !Rec.Values.empty() && FreedTicks > 0; }));
    RunEventLoopFor(100);
    EXPECT_EQ(Rec.Values.size(), 1u);
    EXPECT_EQ(FreedTicks, 1);
    EXPECT_FALSE(Stopped.Enabled());
}

TEST(TimingSuperTimer, HandlerErrorsAreReportedAndTheTimerGoesOn) {
    std::vector<std::string> Reported;
    SetTimerErrorHandler([&](const std::exception& E) { Reported.emplace_back(E.what()); });
    TSuperTimer Timer;
    int Ticks = 0;
    Timer.SetInterval(10);
    Timer.SetOnTimer([&](QObject*) {
        ++Ticks;
        throw std::runtime_error("handler failed");
    });
    Timer.SetEnabled(true);
    const bool Ok = WaitFor([&] { return Ticks >= 2; });
    SetTimerErrorHandler(nullptr);
    ASSERT_TRUE(Ok);
    ASSERT_GE(Reported.size(), 2u);
    EXPECT_EQ(Reported.front(), "handler failed");
}

TEST(TimingSuperTimer, DestroyedWhileATickWaitsEndsCleanlyWithNoLateTick) {
    int Ticks = 0;
    {
        TSuperTimer Timer;
        Timer.SetInterval(5);
        Timer.SetOnTimer([&](QObject*) { ++Ticks; });
        Timer.SetEnabled(true);
        BlockUiThread();
    }
    RunEventLoopFor(50);
    EXPECT_EQ(Ticks, 0);
}

TEST(TimingSuperTimer, AThousandCreateEnableDestroyCycles) {
    int Ticks = 0;
    for (int Cycle = 0; Cycle < 1000; ++Cycle) {
        TSuperTimer Timer;
        Timer.SetInterval(1);
        Timer.SetOnTimer([&](QObject*) { ++Ticks; });
        Timer.SetEnabled(true);
        if (Cycle % 3 == 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(1500));
        }
        if (Cycle % 10 == 0) {
            QCoreApplication::processEvents();
        }
    }
    const int Before = Ticks;
    RunEventLoopFor(50);
    EXPECT_EQ(Ticks, Before);
}

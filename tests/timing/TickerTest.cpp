// What TSuperTimer and TRxTimer owe their handlers, and how each starts as the game runs it.
#include "timing/RxTimer.h"
#include "timing/SuperTimer.h"

#include "TimingTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {

struct SuperKind {
    using Timer = TSuperTimer;
    static void Prepare(TSuperTimer&) {}
};

template <bool Threaded> struct RxKind {
    using Timer = TRxTimer;
    static void Prepare(TRxTimer& T) { T.SetThreaded(Threaded); }
};

struct KindNames {
    template <typename Kind> static std::string GetName(int) {
        if constexpr (std::is_same_v<Kind, SuperKind>) {
            return "Super";
        } else {
            return std::is_same_v<Kind, RxKind<true>> ? "RxThreaded" : "RxEventLoop";
        }
    }
};

template <typename Kind> class TimingTicker : public testing::Test {
protected:
    using Timer = typename Kind::Timer;
    // Enabling is a no-op for a TRxTimer, which starts enabled and waits for its handler.
    static void Start(Timer& T, int Ms, TNotifyEvent Handler) {
        Kind::Prepare(T);
        T.SetInterval(Ms);
        T.SetOnTimer(std::move(Handler));
        T.SetEnabled(true);
    }
};

using Kinds = testing::Types<SuperKind, RxKind<true>, RxKind<false>>;
TYPED_TEST_SUITE(TimingTicker, Kinds, KindNames);

TYPED_TEST(TimingTicker, TicksOnTheUserInterfaceThreadUntilDisabledOrIntervalZero) {
    typename TestFixture::Timer Timer;
    int Ticks = 0;
    bool AllOnUi = true;
    QObject* Sender = nullptr;
    this->Start(Timer, 10, [&](QObject* S) {
        ++Ticks;
        Sender = S;
        AllOnUi = AllOnUi && OnUiThread();
    });
    ASSERT_TRUE(WaitFor([&] { return Ticks >= 3; }));
    EXPECT_TRUE(AllOnUi);
    EXPECT_EQ(Sender, &Timer);
    Timer.SetEnabled(false);
    int Stood = Ticks;
    RunEventLoopFor(150);
    EXPECT_EQ(Ticks, Stood);

    Timer.SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return Ticks > Stood; }));
    Timer.SetInterval(0);
    Stood = Ticks;
    RunEventLoopFor(150);
    EXPECT_EQ(Ticks, Stood);
}

TYPED_TEST(TimingTicker, HandlerErrorsAreReportedAndTheTimerGoesOn) {
    std::vector<std::string> Reported;
    SetTimerErrorHandler([&](const std::exception& E) { Reported.emplace_back(E.what()); });
    typename TestFixture::Timer Timer;
    this->Start(Timer, 10, [](QObject*) { throw std::runtime_error("handler failed"); });
    const bool Ok = WaitFor([&] { return Reported.size() >= 2; });
    SetTimerErrorHandler(nullptr);
    ASSERT_TRUE(Ok);
    EXPECT_EQ(Reported.front(), "handler failed");
}

TYPED_TEST(TimingTicker, HandlerMayStopOrFreeItsOwnTimer) {
    typename TestFixture::Timer Stopped;
    int StoppedTicks = 0, FreedTicks = 0;
    this->Start(Stopped, 10, [&](QObject*) {
        ++StoppedTicks;
        Stopped.SetEnabled(false);
    });
    this->Start(*new typename TestFixture::Timer, 10, [&](QObject* Sender) {
        ++FreedTicks;
        delete Sender;
    });
    ASSERT_TRUE(WaitFor([&] { return StoppedTicks > 0 && FreedTicks > 0; }));
    RunEventLoopFor(100);
    EXPECT_EQ(StoppedTicks, 1);
    EXPECT_EQ(FreedTicks, 1);
    EXPECT_FALSE(Stopped.Enabled());
}

TYPED_TEST(TimingTicker, ATickWaitingWhenTheTimerIsDisabledOrDestroyedNeverRuns) {
    int Ticks = 0;
    typename TestFixture::Timer Disabled;
    {
        typename TestFixture::Timer Destroyed;
        this->Start(Disabled, 5, [&](QObject*) { ++Ticks; });
        this->Start(Destroyed, 5, [&](QObject*) { ++Ticks; });
        BlockUiThread();
        Disabled.SetEnabled(false);
    }
    RunEventLoopFor(100);
    EXPECT_EQ(Ticks, 0);
}

TYPED_TEST(TimingTicker, AThousandCreateEnableDestroyCycles) {
    int Ticks = 0;
    for (int Cycle = 0; Cycle < 1000; ++Cycle) {
        typename TestFixture::Timer Timer;
        this->Start(Timer, 1, [&](QObject*) { ++Ticks; });
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

} // namespace

TEST(TimingRxTimer, StartsEnabledThreadedAndSwitchingModesKeepsItTicking) {
    TRxTimer Timer;
    EXPECT_EQ(
        std::tuple(Timer.Enabled(), Timer.Threaded(), Timer.Interval(), Timer.ThreadPriority()),
        std::tuple(true, true, 1000u, tpNormal));
    Timer.SetInterval(10);
    int Ticks = 0;
    Timer.SetOnTimer([&](QObject*) { ++Ticks; });
    ASSERT_TRUE(WaitFor([&] { return Ticks > 0; }));
    Timer.SetThreaded(false);
    const int Stood = Ticks;
    ASSERT_TRUE(WaitFor([&] { return Ticks > Stood + 2; }));
}

TEST(TimingSuperTimer, StartsDisabledAtOneSecondAndCountsUpNeverEarly) {
    TSuperTimer Timer;
    EXPECT_EQ(std::tuple(Timer.Enabled(), Timer.Interval(), Timer.ThreadPriority()),
              std::tuple(false, std::uint16_t{1000}, tpHigher));
    EXPECT_EQ(std::tuple(Timer.CountDown(), Timer.TickLimit(), Timer.RunningValue()),
              std::tuple(false, -1, std::int64_t{0}));
    std::vector<std::int64_t> Values;
    int Stops = 0;
    Timer.SetOnTimer([&](QObject*) { Values.push_back(Timer.RunningValue()); });
    Timer.SetOnStop([&](QObject*) { ++Stops; });
    Timer.SetInterval(50);
    Timer.SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return Values.size() >= 4; }));
    Timer.SetEnabled(false);
    EXPECT_EQ(Stops, 0);
    // Each tick comes at least an interval after the previous one.
    for (std::size_t I = 0; I < 4; ++I) {
        EXPECT_GE(Values[I], 50 * static_cast<std::int64_t>(I + 1)) << "tick " << I;
    }
    EXPECT_EQ(Timer.TickCount(), Values.back() / 50);
    // Interval 0 disables the timer, and it cannot be enabled again until it has an interval.
    Timer.SetEnabled(true);
    Timer.SetInterval(0);
    Timer.SetEnabled(true);
    EXPECT_FALSE(Timer.Enabled());
}

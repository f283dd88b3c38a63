// What TSuperTimer and TRxTimer (threaded or on the event loop) owe their handlers.
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

// A TSuperTimer, or a TRxTimer on its own thread or on the event loop.
template <typename T, bool Threaded = true> struct Kind {
    using Timer = T;
    static constexpr bool OnItsOwnThread = Threaded;
};

struct KindNames {
    template <typename> static std::string GetName(int I) {
        return std::vector<std::string>{"Super", "RxThreaded", "RxEventLoop"}.at(I);
    }
};

template <typename K> class TimingTicker : public testing::Test {
protected:
    using Timer = typename K::Timer;
    // Enabling is a no-op for a TRxTimer, which starts enabled and waits for its handler.
    static void Start(Timer& T, int Ms, TNotifyEvent Handler) {
        if constexpr (std::is_same_v<Timer, TRxTimer>) {
            T.SetThreaded(K::OnItsOwnThread);
        }
        T.SetInterval(Ms);
        T.SetOnTimer(std::move(Handler));
        T.SetEnabled(true);
    }
    // Until a timer of the same kind ticks, later than a stopped one would have: a fixed pause
    // would pass on a loaded machine before a late tick came.
    static void WaitOutATick() {
        Timer Later;
        bool Ticked = false;
        Start(Later, 50, [&](QObject*) { Ticked = true; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return Ticked; }, LongWaitMs));
    }
};

using Kinds = testing::Types<Kind<TSuperTimer>, Kind<TRxTimer>, Kind<TRxTimer, false>>;
TYPED_TEST_SUITE(TimingTicker, Kinds, KindNames);

// A handler's error is reported, and the timer goes on ticking until it is disabled.
TYPED_TEST(TimingTicker, TicksOnTheUserInterfaceThreadThroughHandlerErrorsUntilDisabled) {
    std::vector<std::string> Reported;
    SetTimerErrorHandler([&](const std::exception& E) { Reported.emplace_back(E.what()); });
    typename TestFixture::Timer Timer;
    int Ticks = 0;
    bool AllOnUi = true;
    QObject* Sender = nullptr;
    this->Start(Timer, 10, [&](QObject* S) {
        Sender = S;
        AllOnUi = AllOnUi && OnUiThread();
        if (++Ticks == 1) {
            throw std::runtime_error("handler failed");
        }
    });
    const bool Ticked = QTest::qWaitFor([&] { return Ticks >= 3; }, LongWaitMs);
    Timer.SetEnabled(false);
    SetTimerErrorHandler(nullptr);
    ASSERT_TRUE(Ticked);
    EXPECT_EQ(Reported, std::vector<std::string>{"handler failed"});
    EXPECT_TRUE(AllOnUi);
    EXPECT_EQ(Sender, &Timer);
    Timer.SetInterval(0); // enabled again, an interval of 0 keeps it still
    Timer.SetEnabled(true);
    const int Stood = Ticks;
    this->WaitOutATick();
    EXPECT_EQ(Ticks, Stood);
}

// A tick handed over while the user-interface thread is busy must not run once its timer is
// disabled or destroyed; a handler may do either to its own timer. A thousand quick cycles also
// show that no worker deadlocks at its end.
TYPED_TEST(TimingTicker, NoTickRunsAfterItsTimerIsDisabledOrDestroyedEvenByItsOwnHandler) {
    using Timer = typename TestFixture::Timer;
    int Ticks = 0;
    for (int Cycle = 0; Cycle < 1000; ++Cycle) {
        Timer Destroyed;
        this->Start(Destroyed, 1, [&](QObject*) { ++Ticks; });
        if (Cycle % 3 == 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(1500));
        }
        if (Cycle % 10 == 0) {
            QCoreApplication::processEvents();
        }
    }
    Timer Disabled, Stopped;
    this->Start(Disabled, 5, [&](QObject*) { ++Ticks; });
    // Holds the user-interface thread without running events, so a worker's next tick is
    // handed over and waits in the queue.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    Disabled.SetEnabled(false);
    const int Before = Ticks;
    int StoppedTicks = 0, FreedTicks = 0;
    this->Start(Stopped, 10, [&](QObject*) {
        ++StoppedTicks;
        Stopped.SetEnabled(false);
    });
    this->Start(*new Timer, 10, [&](QObject* Sender) {
        ++FreedTicks;
        delete Sender;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return StoppedTicks > 0 && FreedTicks > 0; }, LongWaitMs));
    this->WaitOutATick();
    EXPECT_EQ(std::tuple(Ticks, StoppedTicks, FreedTicks), std::tuple(Before, 1, 1));
    EXPECT_FALSE(Stopped.Enabled());
}

} // namespace

TEST(TimingSuperTimer, CountsUpNeverEarlyStopsAtItsLimitAndIntervalZeroKeepsItDisabled) {
    TSuperTimer Timer;
    std::vector<std::int64_t> Values;
    Timer.SetOnTimer([&](QObject*) { Values.push_back(Timer.RunningValue()); });
    Timer.SetInterval(50);
    Timer.SetEnabled(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Values.size() >= 4; }, LongWaitMs));
    Timer.SetEnabled(false);
    // Each tick comes at least an interval after the previous one.
    for (std::size_t I = 0; I < 4; ++I) {
        EXPECT_GE(Values[I], 50 * static_cast<std::int64_t>(I + 1)) << "tick " << I;
    }
    EXPECT_EQ(Timer.TickCount(), Values.back() / 50);
    Timer.SetEnabled(true);
    Timer.SetInterval(0);
    Timer.SetEnabled(true);
    EXPECT_EQ(std::tuple(Timer.Enabled(), Timer.TickCount(), Timer.TickLimit()),
              std::tuple(false, 0, -1));
    // With a limit it stops itself, once, at the first tick whose count reaches the limit.
    std::vector<std::int64_t> Counts;
    int Stops = 0;
    TSuperTimer Limited;
    Limited.SetOnTimer([&](QObject*) { Counts.push_back(Limited.TickCount()); });
    Limited.SetOnStop([&](QObject*) { ++Stops; });
    Limited.SetInterval(250); // long beside a late tick on a loaded machine
    Limited.SetTickLimit(2);
    Limited.SetEnabled(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Stops > 0; }, LongWaitMs));
    QTest::qWait(100);
    const std::size_t N = Counts.size();
    EXPECT_EQ(std::tuple(Stops, Limited.Enabled(), Counts.back() >= 2, N < 2 || Counts[N - 2] < 2),
              std::tuple(1, false, true, true));
}

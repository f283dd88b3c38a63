// TRxTimer: ticking threaded and on the event loop, idling without a handler, ending cleanly.
#include "timing/RxTimer.h"

#include "TimingTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

class RxTimerModes : public testing::TestWithParam<bool> {
protected:
    bool Threaded() const { return GetParam(); }
};

} // namespace

TEST(TimingRxTimerDefaults, EnabledThreadedOneSecondNormalPriority) {
    TRxTimer Timer;
    EXPECT_TRUE(Timer.Enabled());
    EXPECT_TRUE(Timer.Threaded());
    EXPECT_EQ(Timer.Interval(), 1000u);
    EXPECT_EQ(Timer.ThreadPriority(), tpNormal);
}

TEST_P(RxTimerModes, TicksOnTheUserInterfaceThreadWithItselfAsSender) {
    TRxTimer Timer;
    Timer.SetThreaded(Threaded());
    Timer.SetInterval(20);
    int Ticks = 0;
    bool AllOnUiThread = true;
    QObject* Sender = nullptr;
    Timer.SetOnTimer([&](QObject* S) {
        ++Ticks;
        Sender = S;
        AllOnUiThread = AllOnUiThread && OnUiThread();
    });
    ASSERT_TRUE(WaitFor([&] { return Ticks >= 3; }));
    EXPECT_TRUE(AllOnUiThread);
    EXPECT_EQ(Sender, &Timer);
}

TEST_P(RxTimerModes, WithoutOnTimerItNeverTicks) {
    int Ticks = 0;
    TRxTimer Timer;
    Timer.SetThreaded(Threaded());
    Timer.SetOnTimer([&](QObject*) { ++Ticks; });
    Timer.SetOnTimer(nullptr);
    Timer.SetInterval(10);
    Timer.SetEnabled(false);
    Timer.SetEnabled(true);
    RunEventLoopFor(200);
    EXPECT_EQ(Ticks, 0);
}

TEST_P(RxTimerModes, DisablingOrIntervalZeroStopsTheTicks) {
    TRxTimer Timer;
    Timer.SetThreaded(Threaded());
    Timer.SetInterval(10);
    int Ticks = 0;
    Timer.SetOnTimer([&](QObject*) { ++Ticks; });
    ASSERT_TRUE(WaitFor([&] { return Ticks > 0; }));
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

TEST_P(RxTimerModes, SwitchingModesKeepsItTicking) {
    TRxTimer Timer;
    Timer.SetThreaded(Threaded());
    Timer.SetInterval(10);
    int Ticks = 0;
    Timer.SetOnTimer([&](QObject*) { ++Ticks; });
    ASSERT_TRUE(WaitFor([&] { return Ticks > 0; }));
    Timer.SetThreaded(!Threaded());
    const int Stood = Ticks;
    ASSERT_TRUE(WaitFor([&] { return Ticks > Stood + 2; }));
}

TEST_P(RxTimerModes, HandlerErrorsAreReportedAndTheTimerGoesOn) {
    int Reported = 0;
    SetTimerErrorHandler([&](const std::exception&) { ++Reported; });
    TRxTimer Timer;
    Timer.SetThreaded(Threaded());
    Timer.SetInterval(10);
    Timer.SetOnTimer([](QObject*) { throw std::runtime_error("handler failed"); });
    const bool Ok = WaitFor([&] { return Reported >= 2; });
    SetTimerErrorHandler(nullptr);
    EXPECT_TRUE(Ok);
}

TEST_P(RxTimerModes, HandlerMayFreeItsOwnTimer) {
    int Ticks = 0;
    auto* Timer = new TRxTimer;
    Timer->SetThreaded(Threaded());
    Timer->SetInterval(10);
    Timer->SetOnTimer([&](QObject* Sender) {
        ++Ticks;
        delete Sender;
    });
    ASSERT_TRUE(WaitFor([&] { return Ticks > 0; }));
    RunEventLoopFor(100);
    EXPECT_EQ(Ticks, 1);
}

TEST_P(RxTimerModes, AThousandCreateEnableDestroyCycles) {
    int Ticks = 0;
    for (int Cycle = 0; Cycle < 1000; ++Cycle) {
        TRxTimer Timer;
        Timer.SetThreaded(Threaded());
        Timer.SetInterval(1);
        Timer.SetOnTimer([&](QObject*) { ++Ticks; });
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

INSTANTIATE_TEST_SUITE_P(Timing, RxTimerModes, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& Info) {
                             return Info.param ? "Threaded" : "EventLoop";
                         });

TEST(TimingRxTimerThreaded, DestroyedWhileATickWaitsEndsCleanlyWithNoLateTick) {
    int Ticks = 0;
    {
        TRxTimer Timer;
        Timer.SetInterval(5);
        Timer.SetOnTimer([&](QObject*) { ++Ticks; });
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    RunEventLoopFor(50);
    EXPECT_EQ(Ticks, 0);
}

TEST(TimingRxTimerEventLoop, RefusedTimerRaisesNotEnoughTimers) {
    // A thread without an event loop cannot run event-loop timers.
    std::string Error;
    std::thread Plain([&] {
        TRxTimer Timer;
        Timer.SetThreaded(false);
        Timer.SetInterval(10);
        try {
            Timer.SetOnTimer([](QObject*) {});
        } catch (const ETimerUnavailable& E) {
            Error = E.what();
        }
    });
    Plain.join();
    EXPECT_EQ(Error, "Not enough timers available");
}

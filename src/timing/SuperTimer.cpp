// TSuperTimer: the worker's sleeping timing and the tick on the user-interface thread.
#include "timing/SuperTimer.h"

#include "timing/TimerThread.h"

#include <QPointer>

#include <algorithm>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::microseconds;
using std::chrono::milliseconds;

Clock::time_point FromRep(Clock::rep Rep) {
    return Clock::time_point(Clock::duration(Rep));
}

} // namespace

TSuperTimer::TSuperTimer(QObject* Owner) : QObject(Owner) {
    FThread = std::make_unique<TTimerThread>([this](TTimerThread& Thread) { WorkerLoop(Thread); },
                                             FThreadPriority);
}

TSuperTimer::~TSuperTimer() {
    FEnabled = false;
    FThread.reset();
}

void TSuperTimer::SetEnabled(bool Value) {
    // Ticking at interval 0 would divide by zero and never let the worker rest.
    if (Value == FEnabled || (Value && FInterval == 0)) {
        return;
    }
    FEnabled = Value;
    if (Value) {
        Restart();
    } else {
        FThread->Pause();
    }
}

void TSuperTimer::Restart() {
    FStartValue = FRunningValue;
    FStartTime = Clock::now();
    FFirstDue = (FStartTime + milliseconds(FInterval)).time_since_epoch().count();
    FThread->Resume();
}

void TSuperTimer::SetInterval(std::uint16_t Value) {
    if (Value == FInterval) {
        return;
    }
    if (Value == 0) {
        SetEnabled(false);
    }
    FInterval = Value;
    FSharedInterval = Value;
}

void TSuperTimer::SetThreadPriority(TThreadPriority Value) {
    FThreadPriority = Value;
    FThread->SetPriority(Value);
}

void TSuperTimer::SetCountDown(bool Value) {
    if (Value == FCountDown) {
        return;
    }
    if (FEnabled) {
        FStartTime = Clock::now();
        FStartValue = FRunningValue;
    }
    FCountDown = Value;
}

void TSuperTimer::SetRunningValue(std::int64_t Value) {
    FRunningValue = Value;
    if (FEnabled) {
        FStartTime = Clock::now();
        FStartValue = Value;
    }
}

std::int64_t TSuperTimer::TickCount() const {
    return FInterval == 0 ? 0 : FRunningValue / FInterval;
}

std::chrono::nanoseconds TSuperTimer::WorkerCpuTime() const {
    return FThread->CpuTime();
}

void TSuperTimer::WorkerLoop(TTimerThread& Thread) {
    // The worker only ever sleeps: precision comes from the kernel's timer, asked for no slack.
    TTimerThread::RequestPreciseWakeups();
    while (const std::uint64_t Run = Thread.WaitForRun()) {
        Clock::time_point Due = FromRep(FFirstDue.load());
        for (;;) {
            if (!Thread.SleepUntil(Due, Run)) {
                break;
            }
            const Clock::time_point Reading = Clock::now();
            Due = Reading + milliseconds(FSharedInterval.load());
            if (!Thread.HandOver(Run, [this, Reading] { Tick(Reading); })) {
                break;
            }
        }
    }
}

void TSuperTimer::Tick(Clock::time_point Reading) {
    // A tick read just before the direction or the value was reset counts from the reset.
    const std::int64_t Elapsed =
        std::max<std::int64_t>(0, std::chrono::floor<milliseconds>(Reading - FStartTime).count());
    FRunningValue = FCountDown ? FStartValue - Elapsed : FStartValue + Elapsed;
    FTickTime = Reading;

    QPointer<TSuperTimer> Self(this);
    RunTimerHandler(FOnTimer, static_cast<QObject*>(this));
    // Stopped or freed by its own handler: it did not stop by itself.
    if (!Self || !FEnabled) {
        return;
    }
    const std::int64_t Ticks = TickCount();
    const bool Stops = FCountDown ? !(Ticks > FTickLimit && FRunningValue > 0)
                                  : FTickLimit >= 1 && Ticks >= FTickLimit;
    if (Stops) {
        SetEnabled(false);
        RunTimerHandler(FOnStop, static_cast<QObject*>(this));
    }
}

// TRxTimer: switching between the worker and the event-loop timer, and the tick.
#include "timing/RxTimer.h"

#include "timing/TimerThread.h"

#include <algorithm>
#include <climits>

TRxTimer::TRxTimer(QObject* Owner) : QObject(Owner) {
    FWindowTimer.setTimerType(Qt::PreciseTimer); // a coarse one drifts by up to 5% each period
    connect(&FWindowTimer, &QTimer::timeout, this, &TRxTimer::Tick);
}

TRxTimer::~TRxTimer() {
    FEnabled = false;
    FWindowTimer.stop();
    FThread.reset();
}

void TRxTimer::SetEnabled(bool Value) {
    if (Value != FEnabled) {
        FEnabled = Value;
        UpdateTimer();
    }
}

void TRxTimer::SetInterval(std::uint32_t Value) {
    if (Value != FInterval) {
        FInterval = Value;
        FSharedInterval = Value;
        UpdateTimer();
    }
}

void TRxTimer::SetOnTimer(TNotifyEvent Handler) {
    FOnTimer = std::move(Handler);
    UpdateTimer();
}

void TRxTimer::SetThreaded(bool Value) {
    if (Value != FThreaded) {
        FThreaded = Value;
        UpdateTimer();
    }
}

void TRxTimer::SetThreadPriority(TThreadPriority Value) {
    if (Value != FThreadPriority) {
        FThreadPriority = Value;
        if (FThreaded) {
            UpdateTimer();
        }
    }
}

void TRxTimer::UpdateTimer() {
    if (FThread) {
        FThread->Pause();
    }
    FWindowTimer.stop();
    if (FThreaded) {
        if (!FThread) {
            FThread = std::make_unique<TTimerThread>(
                [this](TTimerThread& Thread) { WorkerLoop(Thread); }, FThreadPriority);
        }
    } else {
        FThread.reset();
    }
    if (FInterval == 0 || !FEnabled || !FOnTimer) {
        return;
    }
    if (FThreaded) {
        FThread->SetPriority(FThreadPriority);
        FThread->Resume();
        return;
    }
    // Event-loop timers take an int; longer periods run at the longest one.
    FWindowTimer.start(static_cast<int>(std::min<std::uint32_t>(FInterval, INT_MAX)));
    if (FWindowTimer.timerId() <= 0) { // 0: the event loop refused it
        throw ETimerUnavailable();
    }
}

void TRxTimer::WorkerLoop(TTimerThread& Thread) {
    using Clock = TTimerThread::Clock;
    while (const std::uint64_t Run = Thread.WaitForRun()) {
        while (Thread.SleepUntil(Clock::now() + std::chrono::milliseconds(FSharedInterval.load()),
                                 Run) &&
               Thread.HandOver(Run, [this] { Tick(); })) {
        }
    }
}

void TRxTimer::Tick() {
    if (FEnabled) {
        RunTimerHandler(FOnTimer, static_cast<QObject*>(this));
    }
}

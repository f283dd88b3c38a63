// TRxTimer: a periodic timer that ticks from a worker thread or from an event-loop timer.
#pragma once

#include "timing/TimerTypes.h"

#include <QObject>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <memory>

class TTimerThread;

// Idle until Enabled, a non-zero Interval and an assigned OnTimer come together. Threaded (the
// default) it sleeps Interval ms on a worker, hands the tick to the user-interface thread and
// waits for it, so the period is Interval plus the time the handler takes. Not threaded it runs
// on an event-loop timer of the user-interface thread. Every change of Enabled, Interval,
// Threaded or OnTimer restarts the period. Destroying the timer ends its worker at once, even
// while a tick is being handed over; no handler runs after destruction.
class TRxTimer : public QObject {
    Q_OBJECT
public:
    explicit TRxTimer(QObject* Owner = nullptr);
    ~TRxTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);

    // Milliseconds; 0 means no ticks.
    std::uint32_t Interval() const { return FInterval; }
    void SetInterval(std::uint32_t Value);

    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    // Assigning (or clearing) the handler restarts the period. Throws ETimerUnavailable when
    // not threaded and the event loop refuses a timer; the same holds for the other setters.
    void SetOnTimer(TNotifyEvent Handler);

    bool Threaded() const { return FThreaded; }
    void SetThreaded(bool Value);

    TThreadPriority ThreadPriority() const { return FThreadPriority; }
    void SetThreadPriority(TThreadPriority Value);

private:
    void UpdateTimer();
    void WorkerLoop(TTimerThread& Thread);
    void Tick();

    bool FEnabled = true;
    std::uint32_t FInterval = 1000;
    TNotifyEvent FOnTimer;
    bool FThreaded = true;
    TThreadPriority FThreadPriority = tpNormal;

    QTimer FWindowTimer;                              // not threaded
    std::atomic<std::uint32_t> FSharedInterval{1000}; // read by the worker
    std::unique_ptr<TTimerThread> FThread;
};

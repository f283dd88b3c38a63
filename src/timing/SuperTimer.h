// TSuperTimer: a precise periodic timer with its own worker thread and a running millisecond value.
#pragma once

#include "timing/TimerTypes.h"

#include <QObject>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

class TTimerThread;

// Ticks every Interval ms within about a millisecond of due time. The worker sleeps on a
// condition variable while disabled and until each due time, with the kernel asked for no timer
// slack; it never spins. Each tick is handed to the user-interface thread, and the
// worker waits until it has run: missed ticks are not made up, the next one is due Interval ms
// after the late one.
//
// The running value counts milliseconds since enabling (plus the value it started from), or
// down from it with CountDown. OnTimer runs at every tick; OnStop when the timer stops by
// itself (a count-down reaching 0, or TickLimit reached). Destroying the timer ends its worker
// at once, even while a tick is being handed over; no handler runs after destruction, and a
// tick handed over before the timer was disabled is dropped.
class TSuperTimer : public QObject {
    Q_OBJECT
public:
    using Clock = std::chrono::steady_clock;

    explicit TSuperTimer(QObject* Owner = nullptr);
    ~TSuperTimer() override;

    bool Enabled() const { return FEnabled; }
    // Enabling restarts the running value from where it stands. With Interval 0 the timer
    // cannot be enabled.
    void SetEnabled(bool Value);

    std::uint16_t Interval() const { return FInterval; }
    // 0 disables the timer; a running worker takes a new interval from its next tick on.
    void SetInterval(std::uint16_t Value);

    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent Handler) { FOnTimer = std::move(Handler); }

    TThreadPriority ThreadPriority() const { return FThreadPriority; }
    void SetThreadPriority(TThreadPriority Value);

    bool CountDown() const { return FCountDown; }
    // While enabled the value continues from where it stands in the new direction.
    void SetCountDown(bool Value);

    const TNotifyEvent& OnStop() const { return FOnStop; }
    void SetOnStop(TNotifyEvent Handler) { FOnStop = std::move(Handler); }

    // Milliseconds, as of the latest tick.
    std::int64_t RunningValue() const { return FRunningValue; }
    // While enabled the value runs on from Value.
    void SetRunningValue(std::int64_t Value);

    // Counting up, the timer stops by itself once TickCount reaches a limit of 1 or more;
    // counting down, once TickCount is at or below the limit or the value at or below 0.
    std::int32_t TickLimit() const { return FTickLimit; }
    void SetTickLimit(std::int32_t Value) { FTickLimit = Value; }

    // RunningValue div Interval, toward zero.
    std::int64_t TickCount() const;

    // The worker's clock reading for the latest tick (for measuring precision).
    Clock::time_point TickTime() const { return FTickTime; }
    // Processor time the worker thread has used so far (zero where the platform cannot say).
    std::chrono::nanoseconds WorkerCpuTime() const;

private:
    void WorkerLoop(TTimerThread& Thread);
    void Tick(Clock::time_point Reading);
    void Restart();

    bool FEnabled = false;
    std::uint16_t FInterval = 1000;
    TNotifyEvent FOnTimer;
    TThreadPriority FThreadPriority = tpHigher;
    std::int64_t FRunningValue = 0;
    bool FCountDown = false;
    std::int32_t FTickLimit = -1;
    TNotifyEvent FOnStop;
    std::int64_t FStartValue = 0;
    Clock::time_point FStartTime{};
    Clock::time_point FTickTime{};

    // Read by the worker.
    std::atomic<std::int64_t> FSharedInterval{1000}; // ms
    std::atomic<Clock::rep> FFirstDue{0};            // due time of the first tick after enabling

    std::unique_ptr<TTimerThread> FThread;
};

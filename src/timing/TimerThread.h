// The worker thread behind TSuperTimer and the threaded TRxTimer, with the hand-over of ticks.
#pragma once

#include "timing/TimerTypes.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

class QObject;

// A worker that starts paused and runs Body until the owner destroys it. Body waits through
// the worker-side calls below, each of which ends early when the run is cancelled: a run is
// one stretch between Resume and the next Pause or Resume. Every wait is on a condition
// variable, so a paused or ending worker never spins, and the destructor always gets the
// worker to return promptly, whatever it is waiting for.
//
// Ticks reach the user-interface thread as events posted to a relay object living there; the
// worker then waits until the tick has run, or until the run is cancelled. A tick of a
// cancelled run is dropped unrun, so nothing runs after Pause or destruction.
class TTimerThread {
public:
    using Clock = std::chrono::steady_clock;
    using TBody = std::function<void(TTimerThread& Thread)>;
    using TTick = std::function<void()>;

    // On the user-interface thread, which later receives the ticks.
    TTimerThread(TBody Body, TThreadPriority Priority);
    ~TTimerThread();
    TTimerThread(const TTimerThread&) = delete;
    TTimerThread& operator=(const TTimerThread&) = delete;

    // User-interface thread. Resume also restarts a running worker's run.
    void Resume();
    void Pause();
    // Takes effect before the worker next does anything.
    void SetPriority(TThreadPriority Priority);
    std::chrono::nanoseconds CpuTime() const;

    // Worker side. WaitForRun blocks while paused and returns the new run's number, or 0 when
    // the worker must end.
    std::uint64_t WaitForRun();
    // True when Deadline came with the run still going.
    bool SleepUntil(Clock::time_point Deadline, std::uint64_t Run);
    bool Current(std::uint64_t Run) const;
    // Runs Tick on the user-interface thread and waits for it; false when the run ended first.
    bool HandOver(std::uint64_t Run, TTick Tick);
    // Asks the system for wake-ups as close to the deadline as it can give.
    static void RequestPreciseWakeups();

    struct TShared;

private:
    void ApplyPendingPriority();

    std::shared_ptr<TShared> FShared;
    std::unique_ptr<QObject> FRelay;
    std::atomic<int> FPriority;
    std::atomic<bool> FPriorityPending{true};
    std::uint64_t FLastRun = 0; // worker only
    std::uint64_t FSerial = 0;  // worker only: numbers the ticks handed over
    std::thread FWorker;
};

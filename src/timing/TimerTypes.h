// Types shared by the timer components: handlers, worker priorities and error reporting.
#pragma once

#include <QObject>

#include <cstdint>
#include <exception>
#include <functional>
#include <stdexcept>

// Every timer event is a plain std::function, assigned with SetOnXxx and read back with OnXxx.
// An empty function counts as "unassigned". Handlers always run on the user-interface thread
// (the thread that created the timer and runs its event loop), never on a worker, so they need
// no locking. The sender is the component that fires the event.
using TNotifyEvent = std::function<void(QObject* Sender)>;

// Priority of a timer's worker thread. Raising a priority above normal needs privileges the
// program may not have; the worker then keeps the priority it has.
enum TThreadPriority : int {
    tpIdle,
    tpLowest,
    tpLower,
    tpNormal,
    tpHigher,
    tpHighest,
    tpTimeCritical
};

// Thrown by a setter when the event loop cannot give a timer its window timer (for example on
// a thread that has no event loop).
class ETimerUnavailable : public std::runtime_error {
public:
    ETimerUnavailable() : std::runtime_error("Not enough timers available") {}
};

// An exception that escapes a timer handler cannot travel through the event loop; the timer
// catches it, hands it to this handler and keeps running. The program installs its standard
// error box here; with none installed the message goes to the Qt warning log.
using TTimerErrorHandler = std::function<void(const std::exception& Error)>;
void SetTimerErrorHandler(TTimerErrorHandler Handler);
void ReportTimerError(const std::exception& Error);

// Runs Handler(args...) if it is assigned; an exception it throws is reported, not propagated.
// The handler is copied first, so it may reassign itself or free its owner while it runs.
template <typename Fn, typename... Args> void RunTimerHandler(const Fn& Handler, Args... args) {
    if (!Handler) {
        return;
    }
    Fn Copy = Handler;
    try {
        Copy(args...);
    } catch (const std::exception& Error) {
        ReportTimerError(Error);
    } catch (...) {
        ReportTimerError(std::runtime_error("Unknown error in a timer handler"));
    }
}

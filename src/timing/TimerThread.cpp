// The timer worker thread: pausing, cancellable sleeps, priorities and the tick hand-over.
#include "timing/TimerThread.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <condition_variable>
#include <mutex>

#if defined(__linux__)
#include <cerrno>
#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>
#elif defined(_WIN32)
#include <windows.h>
#endif

// Qt's event queue synchronises with locks the thread sanitizer cannot see (Qt is not built
// for it), so the hand-over announces its own release and acquire.
#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define RENNOR_TSAN 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define RENNOR_TSAN 1
#endif
#if defined(RENNOR_TSAN)
#include <sanitizer/tsan_interface.h>
#define TSAN_RELEASE(addr) __tsan_release(addr)
#define TSAN_ACQUIRE(addr) __tsan_acquire(addr)
#else
#define TSAN_RELEASE(addr)
#define TSAN_ACQUIRE(addr)
#endif

struct TTimerThread::TShared {
    std::mutex Mutex;
    std::condition_variable Changed;
    bool Stop = false;
    bool Running = false;
    std::uint64_t Run = 0;                 // advanced by every Resume and Pause
    std::atomic<std::uint64_t> LiveRun{0}; // Run while running, else 0; for lock-free checks
    std::uint64_t Finished = 0;            // serial of the latest tick that has run

    bool CurrentLocked(std::uint64_t R) const { return !Stop && Running && Run == R; }
};

namespace {

const QEvent::Type TickEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

class TTickEvent : public QEvent {
public:
    TTickEvent(std::shared_ptr<TTimerThread::TShared> Shared, std::uint64_t Run,
               std::uint64_t Serial, TTimerThread::TTick Tick)
        : QEvent(TickEventType), FShared(std::move(Shared)), FRun(Run), FSerial(Serial),
          FTick(std::move(Tick)) {}

    // Runs the tick unless its run has ended, then lets the worker go on. The tick may destroy
    // the timer (and with it the relay receiving this event), so only the shared state, which
    // this event keeps alive, is touched afterwards.
    void Deliver() {
        bool Live;
        {
            std::lock_guard Lock(FShared->Mutex);
            Live = FShared->CurrentLocked(FRun);
        }
        if (Live) {
            try {
                FTick();
            } catch (const std::exception& Error) {
                ReportTimerError(Error);
            }
        }
        {
            std::lock_guard Lock(FShared->Mutex);
            FShared->Finished = std::max(FShared->Finished, FSerial);
        }
        // Told after the lock is let go: a worker woken while it is still held would only
        // wake to wait for it, a second wake-up for every tick.
        FShared->Changed.notify_all();
    }

private:
    std::shared_ptr<TTimerThread::TShared> FShared;
    std::uint64_t FRun;
    std::uint64_t FSerial;
    TTimerThread::TTick FTick;
};

class TTickRelay : public QObject {
public:
    bool event(QEvent* Event) override {
        TSAN_ACQUIRE(Event); // before anything reads the event the worker built
        if (Event->type() != TickEventType) {
            return QObject::event(Event);
        }
        static_cast<TTickEvent*>(Event)->Deliver();
        return true;
    }
};

void ApplyPriority(TThreadPriority Priority) {
#if defined(__linux__)
    // Linux gives each thread its own nice value.
    static const int Nice[] = {19, 10, 5, 0, -5, -10, -20};
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), Nice[Priority]);
#elif defined(_WIN32)
    static const int Level[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,
                                THREAD_PRIORITY_BELOW_NORMAL, THREAD_PRIORITY_NORMAL,
                                THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                                THREAD_PRIORITY_TIME_CRITICAL};
    SetThreadPriority(GetCurrentThread(), Level[Priority]);
#else
    (void)Priority;
#endif
}

} // namespace

TTimerThread::TTimerThread(TBody Body, TThreadPriority Priority)
    : FShared(std::make_shared<TShared>()), FRelay(std::make_unique<TTickRelay>()),
      FPriority(Priority) {
    FWorker = std::thread([this, Body = std::move(Body)] {
        ApplyPendingPriority();
        Body(*this);
    });
}

TTimerThread::~TTimerThread() {
    {
        std::lock_guard Lock(FShared->Mutex);
        FShared->Stop = true;
        FShared->LiveRun = 0;
        FShared->Changed.notify_all();
    }
    FWorker.join();
    FRelay.reset(); // ticks still queued go with it
}

void TTimerThread::Resume() {
    std::lock_guard Lock(FShared->Mutex);
    FShared->Running = true;
    FShared->LiveRun = ++FShared->Run;
    FShared->Changed.notify_all();
}

void TTimerThread::Pause() {
    std::lock_guard Lock(FShared->Mutex);
    FShared->Running = false;
    ++FShared->Run;
    FShared->LiveRun = 0;
    FShared->Changed.notify_all();
}

void TTimerThread::SetPriority(TThreadPriority Priority) {
    FPriority = Priority;
    FPriorityPending = true;
}

std::chrono::nanoseconds TTimerThread::CpuTime() const {
#if defined(__linux__)
    clockid_t Id;
    timespec Used{};
    if (pthread_getcpuclockid(const_cast<std::thread&>(FWorker).native_handle(), &Id) == 0 &&
        clock_gettime(Id, &Used) == 0) {
        return std::chrono::seconds(Used.tv_sec) + std::chrono::nanoseconds(Used.tv_nsec);
    }
#endif
    return std::chrono::nanoseconds(0);
}

std::uint64_t TTimerThread::WaitForRun() {
    std::unique_lock Lock(FShared->Mutex);
    FShared->Changed.wait(
        Lock, [&] { return FShared->Stop || (FShared->Running && FShared->Run != FLastRun); });
    if (FShared->Stop) {
        return 0;
    }
    FLastRun = FShared->Run;
    Lock.unlock();
    ApplyPendingPriority();
    return FLastRun;
}

bool TTimerThread::SleepUntil(Clock::time_point Deadline, std::uint64_t Run) {
    std::unique_lock Lock(FShared->Mutex);
    const bool Ended =
        FShared->Changed.wait_until(Lock, Deadline, [&] { return !FShared->CurrentLocked(Run); });
    Lock.unlock();
    ApplyPendingPriority();
    return !Ended;
}

bool TTimerThread::Current(std::uint64_t Run) const {
    return FShared->LiveRun.load(std::memory_order_acquire) == Run;
}

bool TTimerThread::HandOver(std::uint64_t Run, TTick Tick) {
    const std::uint64_t Serial = ++FSerial;
    if (!Current(Run)) {
        return false;
    }
    auto* Event = new TTickEvent(FShared, Run, Serial, std::move(Tick));
    TSAN_RELEASE(Event);
    QCoreApplication::postEvent(FRelay.get(), Event);

    std::unique_lock Lock(FShared->Mutex);
    FShared->Changed.wait(
        Lock, [&] { return FShared->Finished >= Serial || !FShared->CurrentLocked(Run); });
    const bool Live = FShared->CurrentLocked(Run);
    Lock.unlock();
    ApplyPendingPriority();
    return Live;
}

void TTimerThread::RequestPreciseWakeups() {
#if defined(__linux__)
    // The default 50 us slack would let every sleep end that much late.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    // A short time slice gives a waking worker an early deadline, so on a busy system it gets
    // the processor soon after its sleep ends (kernels before 6.12 ignore this).
    errno = 0;
    const int Nice = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
    if (errno == 0) {
        struct { // the kernel's struct sched_attr, which the C library does not declare
            std::uint32_t size, sched_policy;
            std::uint64_t sched_flags;
            std::int32_t sched_nice;
            std::uint32_t sched_priority;
            std::uint64_t sched_runtime, sched_deadline, sched_period;
        } Attr{};
        Attr.size = sizeof(Attr);
        Attr.sched_policy = SCHED_OTHER;
        Attr.sched_nice = Nice;
        Attr.sched_runtime = 100'000; // ns
        syscall(SYS_sched_setattr, 0, &Attr, 0U);
    }
#endif
}

void TTimerThread::ApplyPendingPriority() {
    if (FPriorityPending.exchange(false)) {
        ApplyPriority(static_cast<TThreadPriority>(FPriority.load()));
    }
}

// Helpers for the timer tests: waiting on the event loop and checking where handlers run.
#pragma once

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include <chrono>
#include <thread>

// Generous: a loaded machine (or a sanitizer build) may deliver ticks very late.
constexpr int LongWaitMs = 20000;

template <typename Predicate> bool WaitFor(Predicate Done, int TimeoutMs = LongWaitMs) {
    return QTest::qWaitFor(Done, TimeoutMs);
}

// Lets the event loop run for a while, for checks that something does not happen.
inline void RunEventLoopFor(int Ms) {
    QTest::qWait(Ms);
}

inline bool OnUiThread() {
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

// Holds the user-interface thread without running events, so a worker's next tick is handed
// over and waits in the queue.
inline void BlockUiThread() {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

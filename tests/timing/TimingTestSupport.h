// Helpers for the timer tests: how long a tick may take to come, and where handlers run.
#pragma once

#include <QCoreApplication>
#include <QTest>
#include <QThread>

// Generous: a loaded machine (or a sanitizer build) may deliver ticks very late.
constexpr int LongWaitMs = 20000;

inline bool OnUiThread() {
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

// Event pumping on the user-interface thread without spinning a core.
#include "game/EventPump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

void PumpEvents() {
    QCoreApplication::processEvents();
}

void PumpEventsFor(int ms) {
    PumpEvents();
    if (ms <= 0) {
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Where exceptions escaping timer handlers are reported.
#include "timing/TimerTypes.h"

#include <QtGlobal>

namespace {
TTimerErrorHandler& ErrorHandler() {
    static TTimerErrorHandler Handler;
    return Handler;
}
} // namespace

void SetTimerErrorHandler(TTimerErrorHandler Handler) {
    ErrorHandler() = std::move(Handler);
}

void ReportTimerError(const std::exception& Error) {
    if (ErrorHandler()) {
        ErrorHandler()(Error);
    } else {
        qWarning("%s", Error.what());
    }
}

// The play record and the clock arithmetic of the game clock.
#include "game/PlayRecord.h"

#include <QTime>
#include <cmath>

TPlayRecord Play;

namespace {
constexpr double MsPerDay = 86400000.0;
}

void ResetPlayRecord() {
    Play = TPlayRecord{};
}

double TimeOfDay() {
    return QTime::currentTime().msecsSinceStartOfDay() / MsPerDay;
}

double ElapsedDays(double start, double now) {
    const double elapsed = now - start;
    return elapsed < 0 ? elapsed + 1.0 : elapsed;
}

QString FormatLongTime(double days) {
    const auto seconds = static_cast<long long>(std::floor(days * 86400.0 + 1e-6));
    const long long s = seconds < 0 ? 0 : seconds;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

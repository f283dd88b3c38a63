// The play record and the clock arithmetic of the game clock.
#include "game/PlayRecord.h"

#include <QTime>
#include <chrono>
#include <cmath>

TPlayRecord Play;

namespace {
constexpr double MsPerDay = 86400000.0;
}

void ResetPlayRecord() {
    Play = TPlayRecord{};
}

// A steady clock anchored once to the time of day: the local time asks for the time zone on
// every reading, a hundred times a second for the game clock, and a game's elapsed time taken
// from it would jump whenever the wall clock is set or daylight saving time begins or ends.
double TimeOfDay() {
    using Steady = std::chrono::steady_clock;
    static const Steady::time_point anchor = Steady::now();
    static const double anchorDay = QTime::currentTime().msecsSinceStartOfDay() / MsPerDay;
    const std::chrono::duration<double, std::milli> since = Steady::now() - anchor;
    return std::fmod(anchorDay + since.count() / MsPerDay, 1.0);
}

double ElapsedDays(double start, double now) {
    const double elapsed = now - start;
    return elapsed < 0 ? elapsed + 1.0 : elapsed;
}

int MsUntilNextClockSecond() {
    const double ms = ElapsedDays(Play.GameStartTime, Play.ClockTime) * MsPerDay;
    // One past the turn, so that the tick lands on the new second rather than just before it.
    return 1000 - static_cast<int>(std::fmod(ms, 1000.0)) + 1;
}

QString FormatLongTime(double days) {
    const auto seconds = static_cast<long long>(std::floor(days * 86400.0 + 1e-6));
    const long long s = seconds < 0 ? 0 : seconds;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

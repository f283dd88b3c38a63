// The play record and the clock arithmetic of the game clock.
#include "game/PlayRecord.h"

#include <QTime>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

TPlayRecord Play;

namespace {
constexpr double MsPerDay = 86400000.0;
}

void ResetPlayRecord() {
    Play = TPlayRecord{};
}

void CountUse(std::int32_t& counter) {
    if (counter < std::numeric_limits<std::int32_t>::max()) {
        ++counter;
    }
}

// A steady clock anchored once to the time of day: the local time asks for the time zone on
// every reading, a hundred times a second for the game clock, and a game's elapsed time taken
// from it would jump whenever the wall clock is set or daylight saving time begins or ends.
double TimeOfDay() {
    using Steady = std::chrono::steady_clock;
    static const Steady::time_point anchor = Steady::now();
    static const double anchorDay = QTime::currentTime().msecsSinceStartOfDay() / MsPerDay;
    const std::chrono::duration<double, std::milli> since = Steady::now() - anchor;
    return anchorDay + since.count() / MsPerDay;
}

double ElapsedDays(double start, double now) {
    const double elapsed = now - start;
    return elapsed < 0 ? elapsed + 1.0 : elapsed;
}

int MsUntilNextClockSecond() {
    const double ms = ElapsedDays(Play.GameStartTime, Play.ClockTime) * MsPerDay;
    // An elapsed time too large to hold (or none at all) gives no fraction of a second: the tick
    // then comes a second later, rather than never.
    const double intoSecond = std::fmod(ms, 1000.0);
    if (!(intoSecond >= 0)) {
        return 1001;
    }
    // One past the turn, so that the tick lands on the new second rather than just before it.
    return 1000 - static_cast<int>(intoSecond) + 1;
}

QString FormatLongTime(double days) {
    // Whole seconds up to the largest count a double holds exactly, which also fits the integer.
    constexpr double MaxSeconds = 9.0e15;
    const double seconds = std::floor(days * 86400.0 + 1e-6);
    const auto s = seconds >= 0 ? static_cast<long long>(std::min(seconds, MaxSeconds)) : 0LL;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

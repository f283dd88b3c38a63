// Conversions between date-time values (days since 1899-12-30) and their calendar parts.
#include "widgets/DateTimeValue.h"

#include <QDate>
#include <QDateTime>

#include <cmath>

namespace {
const QDate Epoch(1899, 12, 30);
constexpr std::int64_t MSecsPerDay = 86400000;

// Milliseconds of the day, from the absolute fraction so that negative values read as their
// time of day rather than as a negative clock.
std::int64_t MSecsOfDay(double dateTime) {
    const double fraction = std::fabs(dateTime - std::trunc(dateTime));
    const auto ms = static_cast<std::int64_t>(std::llround(fraction * MSecsPerDay));
    return ms % MSecsPerDay;
}
} // namespace

double EncodeTime(int Hour, int Min, int Sec, int MSec) {
    return (((Hour * 60.0 + Min) * 60.0 + Sec) * 1000.0 + MSec) / MSecsPerDay;
}

double DateTimeNow() {
    const QDateTime now = QDateTime::currentDateTime();
    return static_cast<double>(Epoch.daysTo(now.date())) +
           now.time().msecsSinceStartOfDay() / static_cast<double>(MSecsPerDay);
}

std::int32_t SecondsOfDay(double DateTime) {
    return static_cast<std::int32_t>(MSecsOfDay(DateTime) / 1000);
}

std::int32_t TimeDigits(double DateTime) {
    const std::int64_t seconds = MSecsOfDay(DateTime) / 1000;
    return static_cast<std::int32_t>(seconds / 3600 * 10000 + seconds / 60 % 60 * 100 +
                                     seconds % 60);
}

TDateParts DecodeDate(double DateTime) {
    const QDate date = Epoch.addDays(static_cast<qint64>(std::trunc(DateTime)));
    return {date.year(), date.month(), date.day()};
}

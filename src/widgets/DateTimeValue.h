// Date-time values as the game keeps them: a double counting days since 1899-12-30.
#pragma once

#include <cstdint>

// One second as a fraction of a day.
inline constexpr double OneSecond = 1.0 / 86400.0;

// Hours, minutes, seconds and milliseconds as a fraction of a day.
double EncodeTime(int Hour, int Min, int Sec, int MSec = 0);
// Now, on the local clock: whole days since 1899-12-30 plus the fraction of the day.
double DateTimeNow();
// Whole seconds of the day of a value, from its time of day rounded to milliseconds.
std::int32_t SecondsOfDay(double DateTime);
// hours x 10000 + minutes x 100 + seconds of a value's time of day, rounded to milliseconds.
std::int32_t TimeDigits(double DateTime);

struct TDateParts {
    int Year, Month, Day;
};
TDateParts DecodeDate(double DateTime);

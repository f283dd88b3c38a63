// The play record: flags, counters and the game clock of the running game, once for the program.
#pragma once

#include <QString>
#include <cstdint>

struct TPlayRecord {
    bool AutoPlaying = false;
    bool Closing = false; // the user confirmed the exit; running loops end
    bool SidesSwitched = false;
    std::int32_t HintsUsedCount = 0;
    std::int32_t UndoUsedCount = 0;
    std::int32_t CommentsUsedCount = 0;
    double GameStartTime = 0;                      // time of day, in days
    double ClockTime = 0;                          // time of day of the last clock tick
    std::int32_t RightClickX = 0, RightClickY = 0; // board-grid pixels of the last right release
};

extern TPlayRecord Play;

// The play record as the program starts; for tests.
void ResetPlayRecord();

// The local time of day as a fraction of a day.
double TimeOfDay();
// The time from start to now, both times of day; a clock that passed midnight adds a day.
double ElapsedDays(double start, double now);
// Milliseconds from the last clock tick until the shown elapsed time next turns a second.
int MsUntilNextClockSecond();
// A time in days as text in the long time format "hh:mm:ss"; a day or more keeps counting hours.
QString FormatLongTime(double days);

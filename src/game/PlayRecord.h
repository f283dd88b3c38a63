// The play record: flags, counters and the game clock of the running game, once for the program.
#pragma once

#include "core/Types.h"
#include "game/GameRules.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

struct TPlayRecord {
    bool AutoPlaying = false;
    bool Closing = false; // the user confirmed the exit; running loops end
    bool SidesSwitched = false;
    TStoneColor HumanStone = NoStone; // the human's colour against the computer; none: the options'
    std::int32_t HintsUsedCount = 0;
    std::int32_t UndoUsedCount = 0;
    std::int32_t CommentsUsedCount = 0;
    double GameStartTime = 0;                      // time of day, in days
    double ClockTime = 0;                          // time of day of the last clock tick
    std::int32_t RightClickX = 0, RightClickY = 0; // board-grid pixels of the last right release
    TGameRules Rules; // the running game's rule, opening and board size
    // A swap opening: whether the first player places the first stones (the options' "who moves
    // first"), and the answers given after three stones and after five.
    bool FirstPlayerPlaces = true;
    std::optional<TOpeningChoice> ChoiceAtThree;
    std::optional<TOpeningChoice> ChoiceAtFive;
    // A loaded record's players by stone colour (empty: none named). Between two people they
    // name the loaded game's sides until a new game; against the computer the players are the
    // human and the computer, whatever the record says.
    std::array<QString, 3> RecordNames;
};

extern TPlayRecord Play;

// The play record as the program starts; for tests.
void ResetPlayRecord();
// Adds one use to a counter of the play record; the largest count stays, rather than wrapping to
// a negative one.
void CountUse(std::int32_t& counter);

// The local time of day as a fraction of a day, counted on past 1 after midnight so that a clock
// never runs backwards within a run.
double TimeOfDay();
// The time from start to now, both times of day; a clock that passed midnight adds a day.
double ElapsedDays(double start, double now);
// Milliseconds from the last clock tick until the shown elapsed time next turns a second: 1 to
// 1001 for any clock, so that the clock's timer always runs on.
int MsUntilNextClockSecond();
// A time in days as text in the long time format "hh:mm:ss"; a day or more keeps counting hours.
// Nothing below 0, and a number that is none, reads 00:00:00; hours stop at 2500000000000.
QString FormatLongTime(double days);

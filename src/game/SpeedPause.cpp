// The timed pause of the long commands.
#include "game/SpeedPause.h"

#include "game/EventPump.h"

#include <algorithm>

int SpeedPauseMs(int speed) {
    return (FastestSpeed - std::clamp(speed, 0, FastestSpeed)) * PauseMsPerSpeedStep;
}

void PauseForSpeed(int speed) {
    if (const int ms = SpeedPauseMs(speed); ms > 0) {
        PumpEventsFor(ms);
    }
}

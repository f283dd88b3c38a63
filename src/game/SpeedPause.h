// The pause between the steps of auto play and replay, timed from the speed setting.
#pragma once

// Speeds run from 0 ("Slow") to 9 ("Fast").
inline constexpr int FastestSpeed = 9;
// Each step of speed below the fastest waits this much longer.
inline constexpr int PauseMsPerSpeedStep = 50;

// The pause at a speed, in milliseconds: none at 9, 450 at 0; speeds out of range are held in it.
int SpeedPauseMs(int speed);
// Waits the pause of speed on the event loop, so the window stays live and no core is spent.
void PauseForSpeed(int speed);

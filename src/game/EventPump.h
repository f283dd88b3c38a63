// Pauses that let the window's events run, for the loops and flashes of the game's commands.
#pragma once

// Lets pending events run once.
void PumpEvents();
// Waits about ms milliseconds on the event loop, handling events as they come; returns at once
// when the application is quitting.
void PumpEventsFor(int ms);

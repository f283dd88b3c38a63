// Moving the settings between the store and the options dialog with the live values.
#pragma once

#include "game/GameRules.h"

#include <functional>

class TOptionsForm;
class TSettingsKey;

// The rules of new games in the store: freestyle, no opening, 19 x 19 when nothing is stored.
TGameRules ReadRules(TSettingsKey& key);
void WriteRules(TSettingsKey& key, const TGameRules& rules);

// Store → dialog controls and live values, in an order that lets each control's own handlers run
// on what is already loaded. A store failure throws at the value that failed; what was loaded
// before it stays.
void LoadSettings(TOptionsForm& options, TSettingsKey& key);
// Dialog controls and live values → store in one write, after OK has committed the working
// values; starts or stops the music when its box changed. A value that is not text throws like
// LoadSettings; a store that cannot be written throws once every value is kept for the run.
void SaveSettings(TOptionsForm& options, TSettingsKey& key);

// Runs operation; a store failure ends it and is shown in the standard error box. True when it
// ran to the end.
bool ReportingStoreErrors(const std::function<void()>& operation);

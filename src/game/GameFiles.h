// The Save Game and Load Game commands: their dialogs, and the load's hand-over to the windows.
#pragma once

#include "game/Ports.h"

#include <functional>

// The two file dialogs, each with the single filter for saved games.
TFileDialogSpec SaveDialogSpec();
TFileDialogSpec LoadDialogSpec();

// What a load asks of the windows besides the game flow; each may be empty.
struct TLoadHooks {
    // Writes the loaded game mode to the store as "HUMAN vs HUMAN"; a failure throws the store's
    // error, before anything of the game has changed.
    std::function<void(bool humanHuman)> StoreHumanHuman;
    // The options dialog's activation routine: working values reset, every control reloaded from
    // the store, so the dialog shows the loaded game mode.
    std::function<void()> ReloadOptions;
    std::function<void()> ApplySettings;
};

extern TLoadHooks LoadHooks;

// Saves the game as it stands, at any moment but while the computer thinks, changing nothing of
// it; a name without an extension gets ".rnr", and an existing file is replaced only when the
// user agrees. A file error is shown in the standard error box.
void SaveGame1Click();
// Replaces the game with a saved one, asking first while a game runs; a name without an extension
// finds its ".rnr" file. The whole file is read and checked first: a file error or a file that
// does not check out is shown in the standard error box and leaves the game and the store as they
// were. A loaded game that is over shows the game-over report.
void LoadGame1Click();

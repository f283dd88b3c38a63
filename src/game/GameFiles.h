// The Save Game and Load Game commands: their dialogs, and the load's hand-over to the windows.
#pragma once

#include "game/GameRules.h"
#include "game/Ports.h"

#include <functional>

// Why Save Game refuses .rnr for a game that is not the written one.
inline constexpr char RnrKeepsWrittenGameOnly[] =
    "The .RNR format keeps only freestyle games on the 19 x 19 board without an opening. Save "
    "this game as SGF or PSQ";

// The two file dialogs. The save dialog offers the formats that can keep the running game, .rnr
// first when it can, then SGF and PSQ records; the load dialog offers all three.
TFileDialogSpec SaveDialogSpec();
TFileDialogSpec LoadDialogSpec();

// What a load asks of the windows besides the game flow; each may be empty.
struct TLoadHooks {
    // Writes the loaded game mode to the store as "HUMAN vs HUMAN"; a failure throws the store's
    // error, before anything of the game has changed.
    std::function<void(bool humanHuman)> StoreHumanHuman;
    // Writes the loaded game's rules to the store, so that the options show them and the next
    // new game keeps them; a failure throws like StoreHumanHuman.
    std::function<void(const TGameRules& rules)> StoreRules;
    // The options dialog's activation routine: working values reset, every control reloaded from
    // the store, so the dialog shows the loaded game mode.
    std::function<void()> ReloadOptions;
    std::function<void()> ApplySettings;
};

extern TLoadHooks LoadHooks;

// Saves the game as it stands, at any moment but while the computer thinks, changing nothing of
// it, in the format its name's extension chooses among those the save dialog offers; a name
// without an extension gets the first one's (".rnr" for the written game). A game .rnr cannot
// keep is refused with a message naming the formats that can. An existing file is replaced only
// when the user agrees. A file error is shown in the standard error box.
void SaveGame1Click();
// Replaces the game with a saved one, asking first while a game runs; a name without an extension
// finds its ".rnr" file, one ending in .sgf or .psq is a record, which brings its rule and board
// size along. The whole file is read and checked first: a file error or a file that
// does not check out is shown in the standard error box and leaves the game and the store as they
// were. A loaded game that is over shows the game-over report.
void LoadGame1Click();

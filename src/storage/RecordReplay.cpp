// Where the rules judge of src/variants meets a loaded record.
#include "storage/RecordReplay.h"

// Every record passes until the judge of forbidden squares and wins is wired in here: the one
// judge the game, the players and the board marks share, so a record is held to the same rules.
void ReplayGameRecord([[maybe_unused]] const TGameRecord& record) {}

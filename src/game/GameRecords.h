// The running game as an SGF or PSQ record, and a checked record as the running game's moves.
#pragma once

#include "storage/GameRecord.h"

// The game as it stands: the names panel's names, the rule, the board size, the moves, the result
// and today's date. A game a player lost by a forbidden answer is white's by forfeit.
TGameRecord RecordOfGame();

// Puts the record's rule, size and moves on the board in place of the running game's; the record
// has been read and replayed through the rules, so nothing here can fail.
void InstallRecordMoves(const TGameRecord& record);

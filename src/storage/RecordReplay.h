// The replay of a loaded record through the rules it names, the last check before it is taken over.
#pragma once

#include "storage/GameRecord.h"

// Raises EStorageError when the record breaks its own rule: a move onto a square the rule forbids,
// a move after the game was won, a result the moves do not bear out. The record has passed
// CheckGameRecord: its moves are on the board, in turn and on free squares.
void ReplayGameRecord(const TGameRecord& record);

// Game records in SGF (FF[4], GM[4]: five in a row and renju), written and read.
//
// The rule stands in RU as Freestyle, Standard or Renju. A reader also takes the usual other
// spellings, in any case and spacing: Gomoku, Free, Free-style; Standard Gomoku, Exact Five; RIF,
// RIF Renju; and the brain protocol's numbers 0, 1 and 4. A record without RU is freestyle.
// The result RE is B+ or W+ for a five, with R, T or F after the '+' for resignation, time and
// forfeit; 0 for a draw; Void for an unfinished game. Read back, Draw and Jigo are draws too, and
// ?, Void or no RE at all leave the game unfinished; anything else after B+ or W+ (a score) counts
// as a five. SGF keeps no time per move.
#pragma once

#include "storage/GameRecord.h"

#include <string>
#include <string_view>

// The record as SGF text in UTF-8: the root node with the game's properties, then one node a move.
std::string EncodeSgf(const TGameRecord& record);

// The record in SGF text, from its first game's main line. Setup stones (AB, AW) before the first
// move are taken as the opening moves, black and white in turn; set up later, or in numbers that
// cannot alternate, they are refused, as are removed stones (AE), a pass, a game other than GM[4]
// and a board that is not square or not one Rennor plays (SZ missing means 19, as SGF says).
// Values are UTF-8; a record that declares Latin-1 in CA, or has no CA and is not valid UTF-8, is
// converted from Latin-1. Raises EStorageError. The structural checks of CheckGameRecord are left
// to the caller.
TGameRecord DecodeSgf(std::string_view text);

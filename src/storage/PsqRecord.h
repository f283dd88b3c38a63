// Game records in PSQ, the tournament managers' record: a board-size line, one "x,y,time" line a
// move, then the players' names.
//
// PSQ counts squares from 1, left to right and top to bottom like Rennor, and times in
// milliseconds. It has no rule, result, date or comments: a PSQ record reads as freestyle and
// unfinished, and the replay tells whether it was won.
#pragma once

#include "storage/GameRecord.h"

#include <string>
#include <string_view>

// The record as PSQ text with Windows line ends, as the managers write it: "Piskvorky 15x15,
// 11:11, 0", a line a move (time 0 where the record has none), then black's and white's names on
// a line each when either is known.
std::string EncodePsq(const TGameRecord& record);

// The record in PSQ text: any word before the WxH of the first line; moves in turn from black,
// with spaces anywhere between the numbers and the time left out or not; the moves end at the
// first line that is not one, and the lines after them that are not a number are black's name,
// then white's. Any line ends. Raises EStorageError; the structural checks of CheckGameRecord are
// left to the caller.
TGameRecord DecodePsq(std::string_view text);

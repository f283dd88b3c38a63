// The one judge of the rules: whether a stone wins for its colour, and whether black may play a
// square under renju and why not. Every part of the program asks here, so no two can disagree.
#pragma once

#include "variants/BoardView.h"
#include "variants/Rule.h"

// Why black may not play a square under renju.
enum class TFoul { None, Overline, DoubleFour, DoubleThree };

struct TVerdict {
    bool Wins = false;        // the stone makes a winning line for its colour
    TFoul Foul = TFoul::None; // renju only, black only: why the stone may not be played
    bool Allowed() const { return Foul == TFoul::None; }
};

// The verdict on a stone of colour on (x, y) under rule; the square is empty, or already holds
// that stone (the move just played). A five takes precedence over every foul.
TVerdict Judge(TRule rule, const TBoardView& board, int x, int y, TStoneColor colour);

// The colour that has a winning line under rule, or NoStone.
TStoneColor Winner(TRule rule, const TBoardView& board);

// "overline", "double four", "double three", or "" for none.
const char* FoulName(TFoul foul);

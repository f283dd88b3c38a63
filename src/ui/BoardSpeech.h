// The board in words for assistive technology: squares, what is on them, moves and results.
#pragma once

#include <QString>

// Square (X, Y) as the coordinate readout shows it: column, colon, row, two digits each ("07:12").
QString SquareName(int X, int Y);
// Square (X, Y) and what is on it: "07:12, white stone, last move", "10:11, empty".
QString SquareText(int X, int Y);
// What changed when the move count went from before to after: a new game, one move (with the
// result if it ended the game), or a jump through the move list (undo, redo, a loaded game).
// whiteName and blackName are the players of each colour.
QString MovesNews(int before, int after, const QString& whiteName, const QString& blackName);

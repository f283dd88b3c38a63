// The game flow of the main window: new game, the human move and the computer's answer, the clock,
// the square rating and the close query.
#pragma once

#include "game/PlayRecord.h"

#include <Qt>
#include <optional>

// Installs the board hooks (repaint, moves done, report, new-game reset, end of auto play, first
// colour) over the installed main view, ports and dialog options.
void InstallGameFlow();

// New Game; with a sender (the user) it asks before it cancels a running game. False when the
// user answered No.
bool NewGame1Click(bool Sender);
// New Game's reset without the question and without the computer's opening move (steps 2 to 5).
void ResetForNewGame();
// Repaints every square, column by column, each from the top.
void RepaintAllSquares();

// A mouse button went down on board cell (col, row), counted from 0; -1 for no cell. Plays the
// human's stone and, against the computer, asks for the answer. False when the click was ignored,
// which it is while the computer thinks.
bool CellGridMouseDown(Qt::MouseButton button, int col, int row);
// A mouse button was released at (x, y) pixels of the board grid.
void CellGridMouseUp(Qt::MouseButton button, int x, int y);

// The clock tick; a tick from the timer (Sender) leaves the clock standing once the game is over.
void Timer1Timer(bool Sender);

// The board popup menu opens on cell (col, row) of the last right release: the rating in percent,
// or nothing when the square is occupied, the game is over or the computer thinks. A shown rating
// is counted.
std::optional<int> PopupMenu1Popup(int col, int row);

// The rating of (X, Y) for the side to move among the squares open to it, weighed on the played
// board.
std::optional<int> SquareRatingUnderRules(int X, int Y);

// The close query: asks the exit confirmation; true lets the window close (and sets Closing).
bool FormCloseQuery();

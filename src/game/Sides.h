// Which player holds which stone colour in the running game, and the names shown for them.
#pragma once

#include "core/Types.h"

#include <QString>

// The colour the first player holds. Against the computer that is the human's colour in this
// game, which Switch Sides and a load may have changed; between two humans, the options' choice
// or a swap opening's.
TStoneColor FirstPlayerStone();
// The name of the player who holds colour c: a label of the options dialog, "Rennor King" for the
// computer; between two people, the name a loaded record gives the colour.
QString HolderName(TStoneColor c);
// Against the computer, in a game open to moves and not auto playing: the colour to move is the
// computer's, or in a swap opening the step is.
bool ComputerHoldsColorToMove();
// Shows both names on the main window, the white player's first.
void ShowPlayerNames();

// A new game: the human takes the colour the options give the first player.
void TakeSidesFromOptions();
// Switch Sides in a running game against the computer: the human takes the other colour.
void SwitchHumanSide();
// A loaded game: the human holds the colour to move, since the computer always answers before a
// save; a finished game gives no such clue and follows the options.
void TakeSidesFromLoadedGame();

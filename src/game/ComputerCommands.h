// The commands in which the computer acts outside the turn order: Auto Play, Switch Sides, Hint.
#pragma once

// Starts a new game (asking first while a game runs) in which the computer plays both colours at
// the auto-play speed until the game ends, the user starts or loads another game, or the program
// closes. A running replay ends first.
void AutoPlay1Click();
// The computer makes the current move; the human continues with the other colour. Does nothing
// while a replay shows its game, so the recorded game stays as it was, nor while the computer
// thinks, the move being its own already.
void SwitchSides1Click();
// Flashes the square the computer would choose for the colour to move, and counts it; nothing
// while the computer thinks about its own move.
void Hint1Click();

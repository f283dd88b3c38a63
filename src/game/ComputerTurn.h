// The computer's turn in the game flow: ask the chosen player, play the answer if it still fits.
#pragma once

#include "game/MainView.h"

class TComputerPlayer;

// The player every computer move comes from; nullptr puts back the built-in Rennor King. A
// question waiting for the old player is asked again of the new one. The caller keeps ownership
// and installs another before the player goes.
void InstallComputerPlayer(TComputerPlayer* player);
TComputerPlayer& ComputerPlayer();

// The computer makes the current move: nothing when the game is over; an earlier question is
// dropped. Rennor King's move is on the board when this returns, another player's may come later
// (the status bar says so meanwhile, and the commands refused meanwhile are greyed).
void AskComputerMove();
// Whether a question waits for its answer in the position it was asked for.
bool ComputerThinking();
// Drops the waiting question, at once; its answer will not be played. True when one waited.
bool CancelComputerMove();
// Switch Sides, Hint and Save wait until the computer has moved: the move to switch, or to hint
// at, is the computer's, and a saved game gives the side to move to the human when it is loaded.
bool RefusedWhileThinking(TCommand command);
// Whether the command is refused now, the computer thinking.
bool CommandRefused(TCommand command);
// Lets events run, waiting for them without spinning, until no question waits.
void WaitForComputerMove();

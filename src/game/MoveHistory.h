// Undo, Redo and Replay: moving through the move list by rebuilding the position from its start.
#pragma once

// Takes back the last move, or against the computer the human's move with the computer's answer
// (only the human's move while the answer is still being thought about). Counts in UndoUsedCount
// when it moved.
void Undo1Click();
// Puts back what Undo took (two moves against the computer), up to the recorded end.
void Redo1Click();
// Shows a finished game again, move by move at the replay speed, then the game-over report. Does
// nothing unless the game is over.
void Replay1Click();

// Whether a replay is showing its game; the board is closed to moves while it runs.
bool ReplayRunning();
// Ends every running replay before its next step (a command that starts a game of its own).
void StopReplays();

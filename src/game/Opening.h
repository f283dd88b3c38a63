// The swap openings in the game flow: who places the first stones, who chooses a colour, and how.
#pragma once

#include "variants/Rule.h"

#include <QString>
#include <vector>

struct TMoveRecord;

// Where a swap opening stands; Over for a game without one, and once the colours are settled.
enum class TOpeningStep { Over, PlaceThree, ChooseAtThree, PlaceTwo, ChooseAtFive };

TOpeningStep OpeningStep();
// Whether the computer takes the opening's next step: in auto play always, against the computer
// when the step is the second player's.
bool ComputerTakesOpeningStep();
// What the status bar says of the step, for whoever takes it.
QString OpeningStepText(TOpeningStep step);

// A new game: the player who moves first will place the stones, and holds black until the choice.
void StartOpening();
// After a stone or a choice: the next step is announced and, when it is a person's choice, asked;
// once the opening is over the computer is asked for its move if the turn is its own.
void ContinueOpening();
// The computer's decision: its stones placed, or its choice taken.
void TakeOpeningDecision(const std::vector<TMoveRecord>& stones, TOpeningChoice choice);
// Undo within the opening stones: the last stone a person placed goes, with the computer's stones
// after it, and any choice made since. False when the position is past the opening.
bool UndoOpeningStone();
// A choice belongs to the stones it answered: one made on more stones than stand is forgotten.
void OpeningFollowsPosition();

// The computer player's decisions: its move, the hint square and the rating of a square.
#pragma once

#include "core/Types.h"

#include <optional>

// The attack/defence setting of hints and ratings: the own potential counts 19/16.
constexpr std::int32_t HintADFactor = 3;

// Attack and defence of (X, Y) for colour c, weighed by F from -16 (defence only) to 16.
inline std::int32_t SquareTotal(std::int32_t own, std::int32_t other, std::int32_t F) {
    return own * (F + 16) / 16 + other;
}
std::int32_t SquareTotal(int X, int Y, TStoneColor c, std::int32_t F);

void ChooseMove(std::uint8_t& X, std::uint8_t& Y);
void ComputerMove();
void BestSquare(std::uint8_t& X, std::uint8_t& Y);

// The rating of (X, Y) for the side to move as a percentage of the best square's total;
// nothing for an occupied square or a finished game.
std::optional<int> SquareRating(int X, int Y);

// Randomness as the choosers use it: an edited store can hold anything, a draw needs 1 .. 11.
std::int32_t EffectiveRandomness();

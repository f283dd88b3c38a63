// The computer player's decisions: its move, the hint square and the rating of a square.
#pragma once

#include "core/Types.h"

#include <functional>
#include <optional>

// The attack/defence setting of hints and ratings: the own potential counts 19/16.
constexpr std::int32_t HintADFactor = 3;

// Attack and defence of (X, Y) for colour c, weighed by F from -16 (defence only) to 16.
inline std::int32_t SquareTotal(std::int32_t own, std::int32_t other, std::int32_t F) {
    return own * (F + 16) / 16 + other;
}
std::int32_t SquareTotal(int X, int Y, TStoneColor c, std::int32_t F);

// The empty squares a hint or a rating may name; with none given, every empty square.
using TSquareFilter = std::function<bool(int X, int Y)>;

void ChooseMove(std::uint8_t& X, std::uint8_t& Y);
void ComputerMove();
void BestSquare(std::uint8_t& X, std::uint8_t& Y);
void BestSquare(std::uint8_t& X, std::uint8_t& Y, const TSquareFilter& allowed);

// The rating of (X, Y) for the side to move as a percentage of the best allowed square's total;
// nothing for an occupied or disallowed square or a finished game.
std::optional<int> SquareRating(int X, int Y, const TSquareFilter& allowed = {});

// Randomness as the choosers use it: an edited store can hold anything, a draw needs 1 .. 11.
std::int32_t EffectiveRandomness();

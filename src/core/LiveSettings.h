// The live settings that the computer player, the game flow and the board drawing read.
#pragma once

#include <cstdint>

// A colour value: red in the low byte, then green, then blue (00BBGGRR).
using TColorValue = std::int32_t;

constexpr TColorValue ColorGray = 0x808080;
constexpr TColorValue ColorRed = 0x0000FF;
constexpr TColorValue ColorLime = 0x00FF00;

struct TLiveSettings {
    std::int32_t ADFactor = 4;   // -16 .. 16
    std::int32_t Randomness = 1; // 1 .. 11
    std::int32_t AutoPlaySpeed = 9;
    std::int32_t ReplaySpeed = 9;
    TColorValue BoardColor = ColorGray;
    TColorValue HintColor = ColorRed;
    TColorValue LastMoveColor = ColorLime;
    std::uint8_t FirstPlayerColor = 0; // 1 black, 2 white; 0 until the first load
    TColorValue PendingHintColor = ColorRed;
    TColorValue PendingLastMoveColor = ColorLime;
    std::int32_t PendingRandomness = 1;
    bool LastMoveColorChanged = false;
};

extern TLiveSettings Live;

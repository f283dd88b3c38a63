// Attack and defence potentials of every square, kept up to date stone by stone.
#pragma once

#include "core/Types.h"

// The value of a window holding n stones of a colour and none of the other is WindowWeight[n + 1].
inline constexpr std::int32_t WindowWeight[8] = {0, 0, 4, 20, 100, 500, 0, 0};

// Run right after CountStone(window, c) has counted a new stone of c into the window.
void UpdateWindowPotential(const TWindow& window, TStoneColor c);

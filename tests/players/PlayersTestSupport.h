// What the players' tests share: a clean game flow, and a player the flow asks while it exists.
#pragma once

#include "GameFlowTestSupport.h"

#include "game/ComputerTurn.h"
#include "players/ComputerPlayer.h"

struct TInstalled {
    explicit TInstalled(TComputerPlayer& player) { InstallComputerPlayer(&player); }
    ~TInstalled() { InstallComputerPlayer(nullptr); }
};

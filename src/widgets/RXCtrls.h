// The scrolling comment panel and the owner-drawn grid, under one include.
#pragma once

#include "widgets/RxDrawGrid.h"
#include "widgets/SecretPanel.h"

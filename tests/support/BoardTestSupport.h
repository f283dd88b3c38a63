// Helpers for rule and engine tests: a clean state per test, stones by list, a recount from
// scratch.
#pragma once

#include "core/LiveSettings.h"
#include "core/Potential.h"
#include "core/Random.h"
#include "core/Rules.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <utility>

class BoardTest : public testing::Test {
protected:
    void SetUp() override {
        ResetGameState();
        Live = TLiveSettings{};
        NewBoard();
    }
    void TearDown() override { ResetGameState(); }

    // Plays the squares in turn through MakeMove.
    static void Play(std::initializer_list<std::pair<int, int>> squares) {
        for (auto [x, y] : squares) {
            MakeMove(x, y);
        }
    }
};

// Window counts, untouched windows and potentials computed from the stones alone.
struct TRecount {
    std::uint8_t WindowCount[DirectionCount][BoardSize + 1][BoardSize + 1][3] = {};
    std::int32_t UntouchedWindows = 0;
    std::int32_t Potential[BoardSize + 1][BoardSize + 1][3] = {};
};

inline TRecount RecountFromBoard() {
    TRecount r;
    for (int d = 0; d < DirectionCount; ++d) {
        const TStep s = DirectionStep[d];
        for (int x = 1; x <= BoardSize; ++x) {
            for (int y = 1; y <= BoardSize; ++y) {
                if (!WindowStartValid(d, x, y)) {
                    continue;
                }
                auto& n = r.WindowCount[d][x][y];
                for (int m = 0; m < WindowLength; ++m) {
                    ++n[Game.Board[x + s.DX * m][y + s.DY * m]];
                }
                for (TStoneColor c : {BlackStone, WhiteStone}) {
                    r.UntouchedWindows += n[c] == 0;
                    if (n[Opponent(c)] == 0) {
                        for (int m = 0; m < WindowLength; ++m) {
                            r.Potential[x + s.DX * m][y + s.DY * m][c] += WindowWeight[n[c] + 1];
                        }
                    }
                }
                n[NoStone] = 0;
            }
        }
    }
    return r;
}

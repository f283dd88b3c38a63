// The judge of src/variants over the running game's board, for the game's rule seam.
#pragma once

#include "game/GameRules.h"
#include "variants/BoardView.h"

// The game's board (Game.Board, from 1) as the judge reads it: from 0, the played size a side.
class TGameBoardView final : public TBoardView {
public:
    int Size() const override;
    TStoneColor At(int x, int y) const override;
};

// Wins and ForbiddenWhy answered by the one judge of the rules, under the running game's rule.
TRuleJudge VariantsJudge();

// The running game's board handed to the variants judge, squares counted from 1 turned to 0.
#include "game/VariantsJudge.h"

#include "core/GameState.h"
#include "game/PlayRecord.h"
#include "variants/Judge.h"

namespace {

TVerdict VerdictOn(int X, int Y, TStoneColor c) {
    return Judge(Play.Rules.Rule, TGameBoardView{}, X - 1, Y - 1, c);
}

} // namespace

int TGameBoardView::Size() const {
    return PlayedSize();
}

TStoneColor TGameBoardView::At(int x, int y) const {
    return Game.Board[x + 1][y + 1];
}

TRuleJudge VariantsJudge() {
    return {[](int X, int Y, TStoneColor c) { return VerdictOn(X, Y, c).Wins; },
            [](int X, int Y) {
                return QString::fromLatin1(FoulName(VerdictOn(X, Y, BlackStone).Foul));
            }};
}

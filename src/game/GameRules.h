// The rule, opening and board size of a game, and where the game flow asks the rule's judge.
#pragma once

#include "core/Types.h"
#include "variants/Rule.h"

#include <QString>
#include <functional>

struct TGameRules {
    TRule Rule = TRule::Freestyle;
    TOpening Opening = TOpening::None;
    int Size = LargeBoardSize; // the squares 1..Size of each line take stones
    bool operator==(const TGameRules&) const = default;
};

// Freestyle on 19 x 19 without an opening: the game Rennor King and the .rnr file know.
bool IsWrittenGame(const TGameRules& rules);

// The stored texts of each choice; an unknown text reads as the written game's choice.
QString RuleText(TRule rule);
TRule RuleFromText(const QString& text);
QString OpeningText(TOpening opening);
TOpening OpeningFromText(const QString& text);
// A stored size that is no played size reads as 19.
int PlayedSizeFrom(int size);

// The running game's rules (Play.Rules): its size, and whether a square lies on its board.
int PlayedSize();
bool OnPlayedBoard(int X, int Y);

// The judge of the game's rule. Wins: whether the stone of c just placed on (X, Y) wins.
// ForbiddenWhy: why (X, Y), empty, is forbidden to black to move, or nothing when it is not.
// Either may be empty: then freestyle's five or more wins and no square is forbidden.
struct TRuleJudge {
    std::function<bool(int X, int Y, TStoneColor c)> Wins;
    std::function<QString(int X, int Y)> ForbiddenWhy;
};
// The variants judge plugs in here; tests install a fake. Freestyle never asks it.
void InstallRuleJudge(TRuleJudge judge);

// Whether the stone of c just placed on (X, Y) wins under the running game's rule.
bool MoveWinsUnderRule(int X, int Y, TStoneColor c);
// Why (X, Y) is forbidden now; empty when it is not: off the played board, taken, white to move,
// the game over, or a rule without forbidden squares.
QString ForbiddenReason(int X, int Y);
// Runs f, a hint or a rating, over the potentials the played board bears: on a smaller board the
// windows that reach past its edge can never be filled, so their weight is off while f runs.
void WithPlayedBoardPotentials(const std::function<void()>& f);
// Whether the colour to move may place a stone on (X, Y) now: on the played board, empty and
// not forbidden.
bool SquareOpen(int X, int Y);
// The tie of the played board: every window on it holds both colours.
bool TieOnPlayedBoard();

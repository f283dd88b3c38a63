// The game's rules as stored texts, the played board, and the questions put to the rule's judge.
#include "game/GameRules.h"

#include "core/Potential.h"
#include "core/Rules.h"
#include "game/PlayRecord.h"

#include <utility>

namespace {

TRuleJudge Judge;

template <typename T, std::size_t N>
QString TextOf(const std::pair<T, const char*> (&names)[N], T value) {
    for (const auto& [v, text] : names) {
        if (v == value) {
            return QLatin1String(text);
        }
    }
    return QLatin1String(names[0].second);
}

template <typename T, std::size_t N>
T ValueOf(const std::pair<T, const char*> (&names)[N], const QString& text) {
    for (const auto& [v, name] : names) {
        if (text == QLatin1String(name)) {
            return v;
        }
    }
    return names[0].first;
}

constexpr std::pair<TRule, const char*> RuleNames[] = {
    {TRule::Freestyle, "Freestyle"}, {TRule::Standard, "Standard"}, {TRule::Renju, "Renju"}};
constexpr std::pair<TOpening, const char*> OpeningNames[] = {
    {TOpening::None, "None"}, {TOpening::Swap, "Swap"}, {TOpening::Swap2, "Swap2"}};

// Whether the window that starts on (X, Y), a valid start, lies wholly on the played board.
bool WindowOnPlayedBoard(int direction, int X, int Y, int size) {
    const TStep s = DirectionStep[direction];
    const int endX = X + s.DX * (WindowLength - 1);
    const int endY = Y + s.DY * (WindowLength - 1);
    return X <= size && Y <= size && endX >= 1 && endX <= size && endY <= size;
}

// A window wholly on the played board that one colour has not touched yet.
bool OpenWindow(int direction, int X, int Y, int size) {
    const auto& counts = Game.WindowCount[direction][X][Y];
    return WindowOnPlayedBoard(direction, X, Y, size) &&
           (counts[BlackStone] == 0 || counts[WhiteStone] == 0);
}

// Adds sign times its weight to the potentials of every window that reaches past the played
// board, for the colour it is still open to.
void WeighWindowsOffThePlayedBoard(int sign) {
    const int size = PlayedSize();
    for (int d = 0; d < DirectionCount; ++d) {
        const TStep s = DirectionStep[d];
        for (int X = 1; X <= BoardSize; ++X) {
            for (int Y = 1; Y <= BoardSize; ++Y) {
                if (!WindowStartValid(d, X, Y) || WindowOnPlayedBoard(d, X, Y, size)) {
                    continue;
                }
                const auto& counts = Game.WindowCount[d][X][Y];
                for (TStoneColor c : {BlackStone, WhiteStone}) {
                    const std::int32_t weight = WindowWeight[counts[c] + 1];
                    for (int m = 0; counts[Opponent(c)] == 0 && m < WindowLength; ++m) {
                        Game.Potential[X + s.DX * m][Y + s.DY * m][c] += sign * weight;
                    }
                }
            }
        }
    }
}

} // namespace

bool IsWrittenGame(const TGameRules& rules) {
    return rules == TGameRules{};
}

QString RuleText(TRule rule) {
    return TextOf(RuleNames, rule);
}

TRule RuleFromText(const QString& text) {
    return ValueOf(RuleNames, text);
}

QString OpeningText(TOpening opening) {
    return TextOf(OpeningNames, opening);
}

TOpening OpeningFromText(const QString& text) {
    return ValueOf(OpeningNames, text);
}

int PlayedSizeFrom(int size) {
    return IsPlayedSize(size) ? size : LargeBoardSize;
}

int PlayedSize() {
    return Play.Rules.Size;
}

bool OnPlayedBoard(int X, int Y) {
    return X >= 1 && X <= PlayedSize() && Y >= 1 && Y <= PlayedSize();
}

void InstallRuleJudge(TRuleJudge judge) {
    Judge = std::move(judge);
}

bool MoveWinsUnderRule(int X, int Y, TStoneColor c) {
    if (Play.Rules.Rule == TRule::Freestyle || !Judge.Wins) {
        return FiveThrough(X, Y, c);
    }
    return Judge.Wins(X, Y, c);
}

QString ForbiddenReason(int X, int Y) {
    if (Play.Rules.Rule != TRule::Renju || !Judge.ForbiddenWhy || !OnPlayedBoard(X, Y) ||
        Game.Board[X][Y] != NoStone || Game.ColorToMove != BlackStone || Game.FiveMade ||
        Game.GameFinished) {
        return QString();
    }
    return Judge.ForbiddenWhy(X, Y);
}

void WithPlayedBoardPotentials(const std::function<void()>& f) {
    if (PlayedSize() == BoardSize) {
        f();
        return;
    }
    WeighWindowsOffThePlayedBoard(-1);
    f();
    WeighWindowsOffThePlayedBoard(1);
}

bool SquareOpen(int X, int Y) {
    return OnPlayedBoard(X, Y) && Game.Board[X][Y] == NoStone && ForbiddenReason(X, Y).isEmpty();
}

bool TieOnPlayedBoard() {
    const int size = PlayedSize();
    for (int d = 0; d < DirectionCount; ++d) {
        for (int X = 1; X <= size; ++X) {
            for (int Y = 1; Y <= size; ++Y) {
                if (OpenWindow(d, X, Y, size)) {
                    return false;
                }
            }
        }
    }
    return true;
}

// The stored names of the three kinds of computer player, and the player each one makes.
#include "players/PlayerSetup.h"

#include "players/EmperorPlayer.h"
#include "players/ExternalPlayer.h"
#include "players/KingPlayer.h"

#include <algorithm>

namespace {

constexpr char ExternalText[] = "External engine";

} // namespace

QString PlayerKindText(TPlayerKind kind) {
    switch (kind) {
    case TPlayerKind::Emperor:
        return QString::fromLatin1(EmperorName);
    case TPlayerKind::External:
        return QString::fromLatin1(ExternalText);
    case TPlayerKind::King:
        break;
    }
    return QString::fromLatin1(KingName);
}

TPlayerKind PlayerKindFromText(const QString& text) {
    for (TPlayerKind kind : {TPlayerKind::Emperor, TPlayerKind::External}) {
        if (text == PlayerKindText(kind)) {
            return kind;
        }
    }
    return TPlayerKind::King;
}

int MoveTimeWithinLimits(int ms) {
    return std::clamp(ms, ShortestMoveTimeMs, LongestMoveTimeMs);
}

std::unique_ptr<TComputerPlayer> MakeComputerPlayer(const TPlayerSetup& setup) {
    const std::chrono::milliseconds time(MoveTimeWithinLimits(setup.MoveTimeMs));
    switch (setup.Kind) {
    case TPlayerKind::Emperor:
        return std::make_unique<TEmperorPlayer>(time);
    case TPlayerKind::External:
        return std::make_unique<TExternalPlayer>(setup.EnginePath, time);
    case TPlayerKind::King:
        break;
    }
    return std::make_unique<TKingPlayer>();
}

// The computer player the options choose, its stored texts, and the player made from it.
#pragma once

#include "players/ComputerPlayer.h"

#include <QString>
#include <memory>

enum class TPlayerKind { King, Emperor, External };

inline constexpr int DefaultMoveTimeMs = 1000;
inline constexpr int ShortestMoveTimeMs = 100;
inline constexpr int LongestMoveTimeMs = 60000;

struct TPlayerSetup {
    TPlayerKind Kind = TPlayerKind::King;
    QString EnginePath;                 // the external engine's program
    int MoveTimeMs = DefaultMoveTimeMs; // Rennor Emperor's and an external engine's time
    bool operator==(const TPlayerSetup&) const = default;
};

// The stored texts: "Rennor King", "Rennor Emperor", "External engine"; any other text, an empty
// one included, is Rennor King.
QString PlayerKindText(TPlayerKind kind);
TPlayerKind PlayerKindFromText(const QString& text);
// A stored time held within the shortest and the longest.
int MoveTimeWithinLimits(int ms);

std::unique_ptr<TComputerPlayer> MakeComputerPlayer(const TPlayerSetup& setup);

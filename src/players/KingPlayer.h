// Rennor King behind the player interface: the written one-ply choice, answered at once.
#pragma once

#include "players/ComputerPlayer.h"

inline constexpr char KingName[] = "Rennor King";

// The written game only: the King's potentials count every window of the 19 x 19 board.
constexpr bool KingPlays(TRule rule, TOpening opening, int size) {
    return rule == TRule::Freestyle && opening == TOpening::None && size == BoardSize;
}

// Reads the program-wide game state, which is the question's position whenever the game flow
// asks, so its moves and its random draws are exactly those of ChooseMove.
class TKingPlayer final : public TComputerPlayer {
    Q_OBJECT

public:
    using TComputerPlayer::TComputerPlayer;

    QString Name() const override { return QString::fromLatin1(KingName); }
    void Ask(const TMoveQuestion& question) override;
    void Cancel() override {} // nothing is ever left to cancel
    bool Plays(TRule rule, TOpening opening, int size) const override {
        return KingPlays(rule, opening, size);
    }
};

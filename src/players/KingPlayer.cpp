// Rennor King's answer: ChooseMove over the game state, before Ask returns.
#include "players/KingPlayer.h"

#include "engine/Choice.h"

void TKingPlayer::Ask(const TMoveQuestion& question) {
    std::uint8_t X = 0, Y = 0;
    ChooseMove(X, Y);
    emit Answered(question.Ticket, X, Y);
}

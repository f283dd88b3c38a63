// A loaded record's moves played over again through the one judge of the rules.
#include "storage/RecordReplay.h"

#include "variants/Judge.h"

#include <optional>
#include <string>

namespace {

std::string MoveName(std::size_t index, const TRecordMove& m) {
    return "Move " + std::to_string(index + 1) + " of the record (" + RecordSquareName(m.X, m.Y) +
           ")";
}

// A result that gives the game to the other side, or calls it a draw, when a five decided it.
bool ResultDenies(TOutcome outcome, TStoneColor winner) {
    const TOutcome won = winner == BlackStone ? TOutcome::BlackWon : TOutcome::WhiteWon;
    return outcome != TOutcome::Unfinished && outcome != won;
}

} // namespace

void ReplayGameRecord(const TGameRecord& record) {
    TRuleBoard board(record.Size);
    std::optional<std::size_t> winningMove;
    for (std::size_t i = 0; i < record.Moves.size(); ++i) {
        const TRecordMove& m = record.Moves[i];
        if (winningMove) {
            RecordError(MoveName(i, m) + " comes after move " + std::to_string(*winningMove + 1) +
                        " won the game");
        }
        const TVerdict verdict = Judge(record.Rule, board, m.X - 1, m.Y - 1, m.Color);
        if (!verdict.Allowed()) {
            RecordError(MoveName(i, m) +
                        " is forbidden to black under renju: " + FoulName(verdict.Foul));
        }
        board.Set(m.X - 1, m.Y - 1, m.Color);
        if (verdict.Wins) {
            winningMove = i;
        }
    }
    if (winningMove && ResultDenies(record.Outcome, record.Moves[*winningMove].Color)) {
        RecordError("The record's result does not match its moves: move " +
                    std::to_string(*winningMove + 1) + " won the game for " +
                    RecordColourName(record.Moves[*winningMove].Color));
    }
}

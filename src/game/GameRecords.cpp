// Between the game state and a game record: names, rule, size, result, date and moves.
#include "game/GameRecords.h"

#include "core/Rules.h"
#include "game/PlayRecord.h"
#include "game/Sides.h"

#include <QDate>

namespace {

TOutcome OutcomeNow() {
    if (Game.FiveMade) {
        return Game.Winner == BlackStone ? TOutcome::BlackWon : TOutcome::WhiteWon;
    }
    return IsTie() ? TOutcome::Draw : TOutcome::Unfinished;
}

} // namespace

TGameRecord RecordOfGame() {
    TGameRecord record;
    record.Size = PlayedSize();
    record.Rule = Play.Rules.Rule;
    record.BlackName = HolderName(BlackStone).toStdString();
    record.WhiteName = HolderName(WhiteStone).toStdString();
    record.Outcome = OutcomeNow();
    // A win with no five on the board is the loss of a player that answered a forbidden square.
    if (Game.FiveMade && WinningSquares().empty()) {
        record.WinBy = TWinBy::Forfeit;
    }
    record.Date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    for (int i = 1; i <= Game.MoveCount; ++i) {
        const TMoveRecord& m = Game.Moves[i];
        record.Moves.push_back({m.X, m.Y, m.Color, {}, {}});
    }
    return record;
}

void InstallRecordMoves(const TGameRecord& record) {
    Play.Rules = {record.Rule, TOpening::None, record.Size};
    const int count = static_cast<int>(record.Moves.size());
    for (int i = 0; i < count; ++i) {
        const TRecordMove& m = record.Moves[static_cast<std::size_t>(i)];
        Game.Moves[i + 1] = TMoveRecord{m.Color, m.X, m.Y};
    }
    Game.LastMoveX = Game.LastMoveY = -1;
    Game.FiveMade = false;
    Game.GameFinished = false;
    Game.MovesRecorded = count;
    RebuildPosition(count);
    if (count == 0) {
        Game.ColorToMove = BlackStone;
    }
}

// The report's figures and the commands it holds back.
#include "game/GameReport.h"

#include "core/GameState.h"
#include "game/DialogOptions.h"
#include "game/MainView.h"
#include "game/PlayRecord.h"

namespace {

// The first player holds the colour whose stone button is down on their side.
QString HolderOf(TStoneColor winner) {
    const TDialogOptions& o = DialogOptions();
    const bool firstHolds = (winner == WhiteStone) == o.WhitePlayerDown();
    return firstHolds ? o.FirstPlayerLabel() : o.SecondPlayerLabel();
}

} // namespace

TGameReport GameReportNow() {
    TGameReport r;
    if (Game.FiveMade) {
        r.WinnerName = HolderOf(Game.Winner);
        r.Stone = Game.Winner == WhiteStone ? TReportStone::White : TReportStone::Black;
    } else {
        r.WinnerName = QString::fromLatin1(TieGameName);
    }
    r.MovesDone = QString::number(Game.MoveCount);
    r.TimeTaken = FormatLongTime(MainView().ElapsedShown());
    r.HintsUsed = QString::number(Play.HintsUsedCount);
    r.UndoUsed = QString::number(Play.UndoUsedCount);
    r.CommentsUsed = QString::number(Play.CommentsUsedCount);
    r.SwitchedSides = Play.SidesSwitched ? QStringLiteral("Yes") : QStringLiteral("No");
    r.HumanComputer = DialogOptions().HumanComputer();
    r.SoundOn = DialogOptions().SoundChecked();
    return r;
}

void GameReportOpened() {
    for (TCommand c : {TCommand::AutoPlay, TCommand::Replay, TCommand::Undo, TCommand::Redo}) {
        MainView().EnableCommand(c, false);
    }
}

void GameReportClosed() {
    MainView().EnableCommand(TCommand::AutoPlay, true);
    MainView().EnableCommand(TCommand::Replay, true);
}

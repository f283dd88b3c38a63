// The report's figures, the commands it holds back and the won game's marks.
#include "game/GameReport.h"

#include "core/Rules.h"
#include "game/DialogOptions.h"
#include "game/MainView.h"
#include "game/PlayRecord.h"
#include "game/Sides.h"

TGameReport GameReportNow() {
    TGameReport r;
    if (Game.FiveMade) {
        r.WinnerName = HolderName(Game.Winner);
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
    r.ComputerWon = r.HumanComputer && Game.FiveMade && Game.Winner != FirstPlayerStone();
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

void ShowWinChange(const std::vector<std::pair<int, int>>& before) {
    for (auto [X, Y] : before) {
        MainView().RepaintSquare(X, Y);
    }
    if (Game.FiveMade) {
        for (auto [X, Y] : WinningSquares()) {
            MainView().RepaintSquare(X, Y);
        }
        MainView().ShowStatusText(QStringLiteral("%1 won the game").arg(HolderName(Game.Winner)));
    } else if (!before.empty()) {
        MainView().ClearStatusText();
    }
}

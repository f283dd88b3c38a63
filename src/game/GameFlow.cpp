// New game, the human move and the computer's answer, the game clock, the rating and closing.
#include "game/GameFlow.h"

#include "core/Rules.h"
#include "engine/Choice.h"
#include "game/ComputerTurn.h"
#include "game/DialogOptions.h"
#include "game/GameReport.h"
#include "game/MainView.h"
#include "game/Opening.h"
#include "game/Ports.h"
#include "game/Sides.h"
#include "game/StoredOptions.h"
#include "game/VariantsJudge.h"
#include "players/ComputerPlayer.h"
#include "storage/SettingNames.h"

namespace {

bool OnGrid(int col, int row) {
    return OnPlayedBoard(col + 1, row + 1);
}

// The 19 x 19 board keeps the written tie; a smaller one is tied once every window on it holds
// both colours, which a full board always meets.
bool TieUnderRules() {
    return PlayedSize() == BoardSize ? Game.UntouchedWindows <= 0 : TieOnPlayedBoard();
}

// A new game takes the rules last chosen, and the board and the computer's name follow.
void TakeChosenRules() {
    Play.Rules = DialogOptions().ChosenRules();
    MainView().ShowBoardSize(PlayedSize());
    MainView().ShowComputerName(ComputerPlayer().Name());
}

// NewBoard's part of the play record and the displays, run from inside NewBoard.
void ResetGameFlowDisplays() {
    MainView().ShowMovesDone(0);
    Play.GameStartTime = TimeOfDay();
    MainView().ShowTimeElapsed(0);
    Play.SidesSwitched = false;
    Play.CommentsUsedCount = 0;
    Play.HintsUsedCount = 0;
    Play.UndoUsedCount = 0;
    Play.ChoiceAtThree.reset();
    Play.ChoiceAtFive.reset();
}

// A swap opening's first stone is black, whoever places it.
TStoneColor FirstColorUnderOpening() {
    return Play.Rules.Opening == TOpening::None ? FirstColorFromOptions() : BlackStone;
}

} // namespace

void RepaintAllSquares() {
    for (int X = 1; X <= BoardSize; ++X) {
        for (int Y = 1; Y <= BoardSize; ++Y) {
            MainView().RepaintSquare(X, Y);
        }
    }
}

void InstallGameFlow() {
    BoardHooks.RepaintSquare = [](int X, int Y) { MainView().RepaintSquare(X, Y); };
    BoardHooks.ShowMovesDone = [](int moveCount) { MainView().ShowMovesDone(moveCount); };
    BoardHooks.ShowReport = [] {
        ShowWinChange({});
        Ports().ShowGameReport();
    };
    BoardHooks.ResetGameFlow = ResetGameFlowDisplays;
    BoardHooks.EndAutoPlay = [] { Play.AutoPlaying = false; };
    BoardHooks.FirstColor = FirstColorUnderOpening;
    BoardHooks.JudgeWin = MoveWinsUnderRule;
    BoardHooks.JudgeTie = TieUnderRules;
    InstallRuleJudge(VariantsJudge());
}

std::optional<int> SquareRatingUnderRules(int X, int Y) {
    std::optional<int> rating;
    WithPlayedBoardPotentials([&] { rating = SquareRating(X, Y, SquareOpen); });
    return rating;
}

void ResetForNewGame() {
    CancelComputerMove();
    const auto won = WinningSquares();
    Play.AutoPlaying = false;
    Game.GameFinished = false;
    MainView().EnableCommand(TCommand::Undo, true);
    MainView().EnableCommand(TCommand::Redo, true);
    TakeChosenRules();
    NewBoard();
    RepaintAllSquares();
    ShowWinChange(won);
}

bool NewGame1Click(bool Sender) {
    if (Sender && !IsGameOver() && !Ports().Confirm(CancelGameQuestion)) {
        return false;
    }
    ResetForNewGame();
    TakeSidesFromOptions();
    if (Play.Rules.Opening != TOpening::None) {
        StartOpening();
    } else if (DialogOptions().HumanComputer() &&
               StoredWhoIsFirst() == QLatin1String(SecondPlayerIsFirst)) {
        AskComputerMove();
    }
    return true;
}

bool CellGridMouseDown(Qt::MouseButton button, int col, int row) {
    if (Play.AutoPlaying || Game.GameFinished || ComputerThinking() || !OnGrid(col, row) ||
        button != Qt::LeftButton || IsGameOver()) {
        return false;
    }
    const int X = col + 1;
    const int Y = row + 1;
    if (Game.Board[X][Y] != NoStone) {
        return false;
    }
    if (const QString why = ForbiddenReason(X, Y); !why.isEmpty()) {
        MainView().ShowStatusText(QStringLiteral("Forbidden to black: %1").arg(why));
        return false;
    }
    const bool opening = OpeningStep() != TOpeningStep::Over;
    MakeMove(X, Y);
    if (opening) {
        ContinueOpening();
    } else if (!StoredHumanHuman()) {
        AskComputerMove();
    }
    return true;
}

void CellGridMouseUp(Qt::MouseButton button, int x, int y) {
    if (button == Qt::RightButton) {
        Play.RightClickX = x;
        Play.RightClickY = y;
    }
}

void Timer1Timer(bool Sender) {
    Play.ClockTime = TimeOfDay();
    if (IsGameOver() && Sender) {
        return;
    }
    MainView().ShowTimeElapsed(ElapsedDays(Play.GameStartTime, Play.ClockTime));
}

std::optional<int> PopupMenu1Popup(int col, int row) {
    // While the computer thinks the colour to move is its own: a rating would be for its move.
    if (!OnGrid(col, row) || ComputerThinking()) {
        return std::nullopt;
    }
    const std::optional<int> rating = SquareRatingUnderRules(col + 1, row + 1);
    if (rating) {
        CountUse(Play.CommentsUsedCount);
    }
    return rating;
}

bool FormCloseQuery() {
    if (!Ports().ConfirmExit()) {
        return false;
    }
    Play.Closing = true;
    CancelComputerMove();
    MainView().QuitHelp();
    return true;
}

// Saving and loading the game through the saved-game file.
#include "game/GameFiles.h"

#include "core/Rules.h"
#include "game/ComputerTurn.h"
#include "game/DialogOptions.h"
#include "game/GameFlow.h"
#include "game/GameReport.h"
#include "game/MainView.h"
#include "game/MoveHistory.h"
#include "game/Sides.h"
#include "storage/SavedGameFile.h"
#include "storage/StorageError.h"

#include <QFileInfo>

TLoadHooks LoadHooks;

namespace {

constexpr char SavedGameFilter[] = "Rennor .RNR files|*.rnr";

void RunHook(const std::function<void()>& hook) {
    if (hook) {
        hook();
    }
}

TSavedPlay CurrentPlay() {
    TSavedPlay p;
    p.UndoUsedCount = Play.UndoUsedCount;
    p.HintsUsedCount = Play.HintsUsedCount;
    p.CommentsUsedCount = Play.CommentsUsedCount;
    p.SidesSwitched = Play.SidesSwitched;
    p.ElapsedTime = MainView().ElapsedShown();
    p.UndoEnabled = MainView().CommandEnabled(TCommand::Undo);
    p.RedoEnabled = MainView().CommandEnabled(TCommand::Redo);
    p.HumanHuman = !DialogOptions().HumanComputer();
    return p;
}

// Takes over a saved game that has been read and checked; nothing here can fail on the game's
// side, so the game is never left half loaded.
void TakeOverSavedGame(const TSavedGame& saved) {
    CancelComputerMove();
    const auto won = WinningSquares();
    Game.FiveMade = false;
    Play.AutoPlaying = false;
    Game.GameFinished = false;
    StopReplays();
    Play.UndoUsedCount = saved.Play.UndoUsedCount;
    Play.HintsUsedCount = saved.Play.HintsUsedCount;
    Play.CommentsUsedCount = saved.Play.CommentsUsedCount;
    Play.SidesSwitched = saved.Play.SidesSwitched;
    Play.GameStartTime = TimeOfDay() - saved.Play.ElapsedTime;
    MainView().ShowTimeElapsed(saved.Play.ElapsedTime);
    // The file carries no redo limit, and the entries past its move count may be older games':
    // nothing of them can be redone.
    InstallSavedMoves(saved);
    RepaintAllSquares();
    ShowWinChange(won);
    MainView().ShowMovesDone(Game.MoveCount);
    Timer1Timer(false);
    MainView().EnableCommand(TCommand::Undo, saved.Play.UndoEnabled);
    MainView().EnableCommand(TCommand::Redo, saved.Play.RedoEnabled);
}

void LoadSavedGame() {
    const std::optional<QString> name = Ports().AskOpenFileName(LoadDialogSpec());
    if (!name) {
        return;
    }
    if (!IsGameOver() && !Ports().Confirm(CancelGameQuestion)) {
        return;
    }
    const TSavedGame saved = ReadSavedGame(SavedGamePathToRead(*name));
    if (LoadHooks.StoreHumanHuman) {
        LoadHooks.StoreHumanHuman(saved.Play.HumanHuman);
    }
    TakeOverSavedGame(saved);
    RunHook(LoadHooks.ReloadOptions);
    TakeSidesFromLoadedGame();
    RunHook(LoadHooks.ApplySettings);
    ShowGameResult();
}

QString ReplaceFileQuestion(const QString& path) {
    return QStringLiteral("%1 already exists.\nDo you want to replace it?")
        .arg(QFileInfo(path).fileName());
}

void ShowingFileErrors(void (*command)()) {
    try {
        command();
    } catch (const EStorageError& error) {
        Ports().ShowError(error.Text());
    }
}

} // namespace

TFileDialogSpec SaveDialogSpec() {
    return {QStringLiteral("Save current game to:"), QString::fromLatin1(SavedGameFilter),
            QStringLiteral("RNR")};
}

TFileDialogSpec LoadDialogSpec() {
    return {QStringLiteral("Load saved game from:"), QString::fromLatin1(SavedGameFilter),
            QStringLiteral("RNR")};
}

void SaveGame1Click() {
    if (CommandRefused(TCommand::Save)) {
        return;
    }
    ShowingFileErrors([] {
        const std::optional<QString> name = Ports().AskSaveFileName(SaveDialogSpec());
        if (!name) {
            return;
        }
        const QString path = SavedGamePathToWrite(*name);
        if (QFileInfo::exists(path) && !Ports().Confirm(ReplaceFileQuestion(path))) {
            return;
        }
        WriteSavedGame(path, CaptureSavedGame(Game, CurrentPlay()));
    });
}

void LoadGame1Click() {
    ShowingFileErrors(LoadSavedGame);
}

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
#include <vector>

TLoadHooks LoadHooks;

namespace {

constexpr char SavedGameFilter[] = "Rennor .RNR files|*.rnr";

std::vector<TSaveFormat> AddedSaveFormats;

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
    Play.Rules = TGameRules{}; // the .rnr file knows the written game only
    MainView().ShowBoardSize(PlayedSize());
    MainView().EnableCommand(TCommand::Hint, HintAvailable());
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
    if (LoadHooks.StoreRules) {
        LoadHooks.StoreRules(TGameRules{});
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

TSaveFormat RnrFormat() {
    return {
        QString::fromLatin1(SavedGameFilter), QString::fromLatin1(SavedGameExtension), false,
        [](const QString& path) { WriteSavedGame(path, CaptureSavedGame(Game, CurrentPlay())); }};
}

// The formats that can keep the running game, .rnr first when it can.
std::vector<TSaveFormat> FittingFormats() {
    const bool written = IsWrittenGame(Play.Rules);
    std::vector<TSaveFormat> formats;
    if (written) {
        formats.push_back(RnrFormat());
    }
    for (const TSaveFormat& format : AddedSaveFormats) {
        if (written || format.KeepsRules) {
            formats.push_back(format);
        }
    }
    return formats;
}

// The format a path's extension names; any other extension is .rnr's, as it always was, when
// the game fits it.
const TSaveFormat* FormatOf(const std::vector<TSaveFormat>& formats, const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    for (const TSaveFormat& format : formats) {
        if (suffix.compare(format.Suffix, Qt::CaseInsensitive) == 0) {
            return &format;
        }
    }
    const bool rnrFits = !formats.empty() && formats.front().Suffix == SavedGameExtension;
    const bool other = suffix.compare(QLatin1String(SavedGameExtension), Qt::CaseInsensitive) != 0;
    return rnrFits && other ? &formats.front() : nullptr;
}

QString WithSuffix(const QString& typed, const QString& suffix) {
    return QFileInfo(typed).suffix().isEmpty() ? typed + u'.' + suffix : typed;
}

void SaveGame() {
    const std::vector<TSaveFormat> formats = FittingFormats();
    if (formats.empty()) {
        Ports().ShowError(QLatin1String(RnrKeepsWrittenGameOnly));
        return;
    }
    const std::optional<QString> name = Ports().AskSaveFileName(SaveDialogSpec());
    if (!name) {
        return;
    }
    const QString path = WithSuffix(*name, formats.front().Suffix);
    const TSaveFormat* format = FormatOf(formats, path);
    if (format == nullptr) {
        Ports().ShowError(QLatin1String(RnrKeepsWrittenGameOnly));
        return;
    }
    if (QFileInfo::exists(path) && !Ports().Confirm(ReplaceFileQuestion(path))) {
        return;
    }
    format->Write(path);
}

} // namespace

void AddSaveFormat(TSaveFormat format) {
    AddedSaveFormats.push_back(std::move(format));
}

void ClearSaveFormats() {
    AddedSaveFormats.clear();
}

TFileDialogSpec SaveDialogSpec() {
    const std::vector<TSaveFormat> formats = FittingFormats();
    QStringList filters;
    for (const TSaveFormat& format : formats) {
        filters << format.Filter;
    }
    const QString suffix = formats.empty() ? QString() : formats.front().Suffix.toUpper();
    return {QStringLiteral("Save current game to:"), filters.join(u'|'), suffix};
}

TFileDialogSpec LoadDialogSpec() {
    return {QStringLiteral("Load saved game from:"), QString::fromLatin1(SavedGameFilter),
            QStringLiteral("RNR")};
}

void SaveGame1Click() {
    if (CommandRefused(TCommand::Save)) {
        return;
    }
    ShowingFileErrors(SaveGame);
}

void LoadGame1Click() {
    ShowingFileErrors(LoadSavedGame);
}

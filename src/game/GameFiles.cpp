// Saving and loading the game through the saved-game file.
#include "game/GameFiles.h"

#include "core/Rules.h"
#include "game/ComputerTurn.h"
#include "game/DialogOptions.h"
#include "game/GameFlow.h"
#include "game/GameRecords.h"
#include "game/GameReport.h"
#include "game/MainView.h"
#include "game/MoveHistory.h"
#include "game/Sides.h"
#include "storage/RecordFile.h"
#include "storage/SavedGameFile.h"
#include "storage/StorageError.h"

#include <QFileInfo>
#include <vector>

TLoadHooks LoadHooks;

namespace {

constexpr char SavedGameFilter[] = "Rennor .RNR files|*.rnr";
constexpr char SgfFilter[] = "SGF records|*.sgf";
constexpr char PsqFilter[] = "PSQ records|*.psq";

// A format Save Game can write.
struct TSaveFormat {
    QString Filter; // "display text|pattern"
    QString Suffix; // the extension that chooses it, without the dot, in any case
    // Writes the game as it stands to path; a failure throws the store's error.
    std::function<void(const QString& path)> Write;
};

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

// The running game stops: no question, auto play or replay runs on; the five it showed, if any.
std::vector<std::pair<int, int>> LeaveRunningGame() {
    CancelComputerMove();
    const auto won = WinningSquares();
    Game.FiveMade = false;
    Play.AutoPlaying = false;
    Game.GameFinished = false;
    StopReplays();
    return won;
}

// The board, the clock and the commands show the game just taken over.
void ShowTakenOverGame(const std::vector<std::pair<int, int>>& won, double elapsed, bool undo,
                       bool redo) {
    Play.GameStartTime = TimeOfDay() - elapsed;
    MainView().ShowTimeElapsed(elapsed);
    MainView().ShowBoardSize(PlayedSize());
    RepaintAllSquares();
    ShowWinChange(won);
    MainView().ShowMovesDone(Game.MoveCount);
    Timer1Timer(false);
    MainView().EnableCommand(TCommand::Undo, undo);
    MainView().EnableCommand(TCommand::Redo, redo);
}

// Takes over a saved game that has been read and checked; nothing here can fail on the game's
// side, so the game is never left half loaded.
void TakeOverSavedGame(const TSavedGame& saved) {
    const auto won = LeaveRunningGame();
    Play.UndoUsedCount = saved.Play.UndoUsedCount;
    Play.HintsUsedCount = saved.Play.HintsUsedCount;
    Play.CommentsUsedCount = saved.Play.CommentsUsedCount;
    Play.SidesSwitched = saved.Play.SidesSwitched;
    Play.RecordNames = {};     // the .rnr file names no one: the options' names stand
    Play.Rules = TGameRules{}; // the .rnr file knows the written game only
    // The file carries no redo limit, and the entries past its move count may be older games':
    // nothing of them can be redone.
    InstallSavedMoves(saved);
    ShowTakenOverGame(won, saved.Play.ElapsedTime, saved.Play.UndoEnabled, saved.Play.RedoEnabled);
}

// Takes over a record that has been read, checked and replayed: a fresh game's counters and clock.
void TakeOverRecord(const TGameRecord& record) {
    const auto won = LeaveRunningGame();
    Play.UndoUsedCount = Play.HintsUsedCount = Play.CommentsUsedCount = 0;
    Play.SidesSwitched = false;
    InstallRecordMoves(record);
    Play.RecordNames[BlackStone] = QString::fromStdString(record.BlackName);
    Play.RecordNames[WhiteStone] = QString::fromStdString(record.WhiteName);
    ShowTakenOverGame(won, 0, true, true);
}

// Takes over the file at name, .sgf or .psq as a record and any other as a saved game; the file
// is read and checked whole before the game or the store changes.
void TakeOverFile(const QString& name) {
    const QString suffix = QFileInfo(name).suffix();
    const bool record = suffix.compare(QLatin1String(SgfExtension), Qt::CaseInsensitive) == 0 ||
                        suffix.compare(QLatin1String(PsqExtension), Qt::CaseInsensitive) == 0;
    if (record) {
        const TGameRecord read = ReadGameRecord(name);
        if (LoadHooks.StoreRules) {
            LoadHooks.StoreRules({read.Rule, TOpening::None, read.Size});
        }
        TakeOverRecord(read);
        return;
    }
    const TSavedGame saved = ReadSavedGame(SavedGamePathToRead(name));
    if (LoadHooks.StoreHumanHuman) {
        LoadHooks.StoreHumanHuman(saved.Play.HumanHuman);
    }
    if (LoadHooks.StoreRules) {
        LoadHooks.StoreRules(TGameRules{});
    }
    TakeOverSavedGame(saved);
}

void LoadSavedGame() {
    const std::optional<QString> name = Ports().AskOpenFileName(LoadDialogSpec());
    if (!name) {
        return;
    }
    if (!IsGameOver() && !Ports().Confirm(CancelGameQuestion)) {
        return;
    }
    TakeOverFile(*name);
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
        QString::fromLatin1(SavedGameFilter), QString::fromLatin1(SavedGameExtension),
        [](const QString& path) { WriteSavedGame(path, CaptureSavedGame(Game, CurrentPlay())); }};
}

TSaveFormat RecordFormat(const char* filter, const char* suffix, TRecordFormat format) {
    return {QString::fromLatin1(filter), QString::fromLatin1(suffix),
            [format](const QString& path) { WriteGameRecord(path, RecordOfGame(), format); }};
}

// The formats that can keep the running game, .rnr first when it can.
std::vector<TSaveFormat> FittingFormats() {
    const bool written = IsWrittenGame(Play.Rules);
    std::vector<TSaveFormat> formats;
    if (written) {
        formats.push_back(RnrFormat());
    }
    formats.push_back(RecordFormat(SgfFilter, SgfExtension, TRecordFormat::Sgf));
    formats.push_back(RecordFormat(PsqFilter, PsqExtension, TRecordFormat::Psq));
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
    const bool rnrFits = formats.front().Suffix == SavedGameExtension;
    const bool other = suffix.compare(QLatin1String(SavedGameExtension), Qt::CaseInsensitive) != 0;
    return rnrFits && other ? &formats.front() : nullptr;
}

QString WithSuffix(const QString& typed, const QString& suffix) {
    return QFileInfo(typed).suffix().isEmpty() ? typed + u'.' + suffix : typed;
}

void SaveGame() {
    const std::vector<TSaveFormat> formats = FittingFormats();
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

TFileDialogSpec SaveDialogSpec() {
    const std::vector<TSaveFormat> formats = FittingFormats();
    QStringList filters;
    for (const TSaveFormat& format : formats) {
        filters << format.Filter;
    }
    const QString suffix = formats.front().Suffix.toUpper();
    return {QStringLiteral("Save current game to:"), filters.join(u'|'), suffix};
}

TFileDialogSpec LoadDialogSpec() {
    const QStringList filters{QLatin1String(SavedGameFilter), QLatin1String(SgfFilter),
                              QLatin1String(PsqFilter)};
    return {QStringLiteral("Load saved game from:"), filters.join(u'|'), QStringLiteral("RNR")};
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

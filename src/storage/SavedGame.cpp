// The saved-game image, byte by byte, and its checks against a scratch board.
#include "storage/SavedGame.h"

#include "core/Rules.h"
#include "storage/StorageError.h"

#include <QString>
#include <algorithm>
#include <bit>

namespace {

constexpr std::size_t MovesOffset = 36;
constexpr std::size_t MoveRecordSize = 12;
static_assert(MovesOffset + MaxMoves * MoveRecordSize == SavedGameSize);

// Writes little-endian fields one after another.
class TImageWriter {
public:
    explicit TImageWriter(TSavedGameBytes& bytes) : Bytes(bytes) {}

    void Byte(std::uint8_t v) { Bytes[Pos++] = v; }
    void Bool(bool v) { Byte(v ? 1 : 0); }
    void Int32(std::int32_t v) { Unsigned(static_cast<std::uint32_t>(v), 4); }
    void Double(double v) { Unsigned(std::bit_cast<std::uint64_t>(v), 8); }

private:
    void Unsigned(std::uint64_t v, int size) {
        for (int i = 0; i < size; ++i) {
            Byte(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    }

    TSavedGameBytes& Bytes;
    std::size_t Pos = 0;
};

// Reads little-endian fields one after another from a whole image.
class TImageReader {
public:
    explicit TImageReader(std::span<const std::uint8_t> bytes) : Bytes(bytes) {}

    std::uint8_t Byte() { return Bytes[Pos++]; }
    bool Bool() { return Byte() != 0; }
    std::int32_t Int32() { return static_cast<std::int32_t>(Unsigned(4)); }
    double Double() { return std::bit_cast<double>(Unsigned(8)); }

private:
    std::uint64_t Unsigned(int size) {
        std::uint64_t v = 0;
        for (int i = 0; i < size; ++i) {
            v |= std::uint64_t{Byte()} << (8 * i);
        }
        return v;
    }

    std::span<const std::uint8_t> Bytes;
    std::size_t Pos = 0;
};

[[noreturn]] void RangeCheckError() {
    throw EStorageError(QStringLiteral("Range check error"));
}

[[noreturn]] void MoveError(int i, const QString& fault) {
    throw EStorageError(
        QStringLiteral("Move %1 of the saved game %2").arg(QString::number(i), fault));
}

// The moves checked so far, counted into windows by the rules' own step.
struct TScratchBoard {
    bool Taken[BoardSize + 1][BoardSize + 1] = {};
    std::uint8_t WindowCount[DirectionCount][BoardSize + 1][BoardSize + 1][3] = {};
    std::int32_t UntouchedWindows = 2 * WindowTotal;
    bool FiveMade = false;
};

// Move i must be a stone on a free square of the board, of the colour whose turn it was, in a game
// that was not over yet.
void CheckMove(TScratchBoard& board, const std::array<TMoveRecord, MaxMoves + 1>& moves, int i) {
    const TMoveRecord& m = moves[i];
    if (!OnBoard(m.X, m.Y)) {
        RangeCheckError();
    }
    if (!IsStoneColor(m.Color)) {
        MoveError(i, QStringLiteral("has no stone colour"));
    }
    if (i > 1 && m.Color != Opponent(moves[i - 1].Color)) {
        MoveError(i, QStringLiteral("has the colour of the move before it"));
    }
    if (board.Taken[m.X][m.Y]) {
        MoveError(i, QStringLiteral("is on square %1:%2, which is taken").arg(m.X).arg(m.Y));
    }
    if (board.FiveMade || board.UntouchedWindows <= 0) {
        MoveError(i, QStringLiteral("comes after the game was over"));
    }
    board.Taken[m.X][m.Y] = true;
    ForEachWindowThrough(m.X, m.Y, [&](const TWindow& w) { CountStoneInto(board, w, m.Color); });
}

void CheckPlay(const TSavedPlay& play) {
    const std::pair<const char*, std::int32_t> counters[] = {{"undo", play.UndoUsedCount},
                                                             {"hint", play.HintsUsedCount},
                                                             {"comment", play.CommentsUsedCount}};
    for (const auto& [name, count] : counters) {
        if (count < 0) {
            throw EStorageError(
                QStringLiteral("The saved game has a negative %1 count").arg(QLatin1String(name)));
        }
    }
    // Written the other way round, a clock that is not a number would pass.
    if (!(play.ElapsedTime >= 0 && play.ElapsedTime <= MaxSavedClockDays)) {
        throw EStorageError(QStringLiteral("The saved game clock is not a valid time"));
    }
}

} // namespace

TSavedGameBytes EncodeSavedGame(const TSavedGame& saved) {
    TSavedGameBytes bytes{};
    TImageWriter out(bytes);
    out.Int32(saved.MoveCount);
    out.Int32(saved.LastMoveY);
    out.Int32(saved.LastMoveX);
    out.Int32(saved.Play.UndoUsedCount);
    out.Int32(saved.Play.HintsUsedCount);
    out.Int32(saved.Play.CommentsUsedCount);
    out.Bool(saved.Play.SidesSwitched);
    out.Double(saved.Play.ElapsedTime);
    out.Bool(saved.Play.UndoEnabled);
    out.Bool(saved.Play.RedoEnabled);
    out.Bool(saved.Play.HumanHuman);
    for (int i = 1; i <= MaxMoves; ++i) {
        const TMoveRecord& m = saved.Moves[i];
        out.Byte(m.Color);
        for (std::uint8_t f : m.Fill) {
            out.Byte(f);
        }
        out.Int32(m.X);
        out.Int32(m.Y);
    }
    return bytes;
}

TSavedGame DecodeSavedGame(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < SavedGameSize) {
        throw EStorageError(QStringLiteral("Read beyond end of file"));
    }
    TSavedGame saved;
    TImageReader in(bytes);
    saved.MoveCount = in.Int32();
    saved.LastMoveY = in.Int32();
    saved.LastMoveX = in.Int32();
    saved.Play.UndoUsedCount = in.Int32();
    saved.Play.HintsUsedCount = in.Int32();
    saved.Play.CommentsUsedCount = in.Int32();
    saved.Play.SidesSwitched = in.Bool();
    saved.Play.ElapsedTime = in.Double();
    saved.Play.UndoEnabled = in.Bool();
    saved.Play.RedoEnabled = in.Bool();
    saved.Play.HumanHuman = in.Bool();
    for (int i = 1; i <= MaxMoves; ++i) {
        TMoveRecord& m = saved.Moves[i];
        m.Color = in.Byte();
        for (std::uint8_t& f : m.Fill) {
            f = in.Byte();
        }
        m.X = in.Int32();
        m.Y = in.Int32();
    }
    return saved;
}

void CheckSavedGame(const TSavedGame& saved) {
    if (saved.MoveCount > MaxMoves) {
        RangeCheckError();
    }
    TScratchBoard board;
    for (int i = 1; i <= saved.MoveCount; ++i) {
        CheckMove(board, saved.Moves, i);
    }
    CheckPlay(saved.Play);
}

TSavedGame ParseSavedGame(std::span<const std::uint8_t> bytes) {
    TSavedGame saved = DecodeSavedGame(bytes);
    CheckSavedGame(saved);
    return saved;
}

TSavedGame CaptureSavedGame(const TGameState& game, const TSavedPlay& play) {
    TSavedGame saved;
    saved.MoveCount = game.MoveCount;
    saved.LastMoveY = game.LastMoveY;
    saved.LastMoveX = game.LastMoveX;
    saved.Play = play;
    std::copy(std::begin(game.Moves), std::end(game.Moves), saved.Moves.begin());
    return saved;
}

void InstallSavedMoves(const TSavedGame& saved) {
    CheckSavedGame(saved);
    std::copy(saved.Moves.begin(), saved.Moves.end(), std::begin(Game.Moves));
    // RebuildPosition repaints the latest move it finds as the old one; a square off the board
    // must never reach the painting.
    const bool lastOnBoard = OnBoard(saved.LastMoveX, saved.LastMoveY);
    Game.LastMoveX = lastOnBoard ? saved.LastMoveX : -1;
    Game.LastMoveY = lastOnBoard ? saved.LastMoveY : -1;
    Game.FiveMade = false;
    Game.GameFinished = false;
    const std::int32_t count = std::max(saved.MoveCount, 0);
    Game.MovesRecorded = count;
    RebuildPosition(count);
    // With no move on the board the side to move is entry 1's colour, which a list never played
    // into holds as empty.
    if (!IsStoneColor(Game.ColorToMove)) {
        Game.ColorToMove = FirstColor();
    }
}

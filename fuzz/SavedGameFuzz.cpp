// Fuzzes the saved-game reader: every input either loads into a sound position or is refused
// with one of the reader's own messages.
#include "core/Rules.h"
#include "storage/SavedGame.h"
#include "storage/StorageError.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

bool KnownRefusal(const QString& text) {
    return text == "Read beyond end of file" || text == "Range check error" ||
           text.startsWith("The saved game ") ||
           (text.startsWith("Move ") && text.contains(" of the saved game "));
}

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The position that InstallSavedMoves built agrees with the records it was given.
void CheckInstalled(const TSavedGame& saved) {
    const int count = std::max(saved.MoveCount, 0);
    Require(Game.MoveCount == count && Game.MovesRecorded == count);
    Require(IsStoneColor(Game.ColorToMove));
    int stones = 0;
    for (int x = 1; x <= BoardSize; ++x) {
        for (int y = 1; y <= BoardSize; ++y) {
            stones += Game.Board[x][y] != NoStone;
        }
    }
    Require(stones == count);
    Require(Game.UntouchedWindows >= 0 && Game.UntouchedWindows <= 2 * WindowTotal);
    if (count > 0) {
        const TMoveRecord& last = saved.Moves[count];
        Require(Game.LastMoveX == last.X && Game.LastMoveY == last.Y);
        Require(Game.ColorToMove == Opponent(last.Color));
    }
}

// Encoding gives back the input, except that booleans are written as 0 or 1.
void CheckReencoded(const TSavedGame& saved, const std::uint8_t* data) {
    const TSavedGameBytes out = EncodeSavedGame(saved);
    for (std::size_t i = 0; i < SavedGameSize; ++i) {
        const bool boolean = i == 24 || (i >= 33 && i <= 35);
        Require(boolean ? out[i] == (data[i] != 0 ? 1 : 0) : out[i] == data[i]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ResetGameState();
    TSavedGame saved;
    try {
        saved = ParseSavedGame(std::span(data, size));
    } catch (const EStorageError& e) {
        Require(KnownRefusal(e.Text()));
        return 0;
    }
    Require(size >= SavedGameSize);
    CheckReencoded(saved, data);
    InstallSavedMoves(saved);
    CheckInstalled(saved);
    return 0;
}

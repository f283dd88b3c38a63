// The saved game: its 4368-byte little-endian image, the checks a loaded image must pass, and the
// hand-over to and from the running game.
#pragma once

#include "core/GameState.h"

#include <array>
#include <cstdint>
#include <span>

inline constexpr std::size_t SavedGameSize = 4368;
using TSavedGameBytes = std::array<std::uint8_t, SavedGameSize>;

// What the file holds beyond the board: the play record's counters, the clock and the state of the
// commands, all kept by the game flow.
struct TSavedPlay {
    std::int32_t UndoUsedCount = 0;
    std::int32_t HintsUsedCount = 0;
    std::int32_t CommentsUsedCount = 0;
    bool SidesSwitched = false;
    double ElapsedTime = 0; // days
    bool UndoEnabled = false;
    bool RedoEnabled = false;
    bool HumanHuman = false;
};

struct TSavedGame {
    std::int32_t MoveCount = 0;
    std::int32_t LastMoveY = -1;
    std::int32_t LastMoveX = -1;
    TSavedPlay Play;
    std::array<TMoveRecord, MaxMoves + 1> Moves{}; // from 1, like Game.Moves
};

// The image, field by field; booleans are written as 0 or 1.
TSavedGameBytes EncodeSavedGame(const TSavedGame& saved);

// The fields of an image, unchecked; bytes past the image are ignored. Raises EStorageError
// "Read beyond end of file" when bytes holds less than a whole image.
TSavedGame DecodeSavedGame(std::span<const std::uint8_t> bytes);

// The longest game clock a saved game may hold: a hundred years, in days.
inline constexpr double MaxSavedClockDays = 100 * 365.25;

// Raises EStorageError unless the saved game could have been played: a move count above 361 or a
// square off the board is "Range check error"; a move without a stone colour, out of turn, onto a
// taken square or after the game was over, a counter below 0 and a clock that is not a time from
// 0 to MaxSavedClockDays get messages of their own.
void CheckSavedGame(const TSavedGame& saved);

// DecodeSavedGame followed by CheckSavedGame.
TSavedGame ParseSavedGame(std::span<const std::uint8_t> bytes);

// The running game as a saved game; the move list and the latest move come from game.
TSavedGame CaptureSavedGame(const TGameState& game, const TSavedPlay& play);

// Puts the loaded move list on the board: Game.Moves, MoveCount and MovesRecorded from saved, the
// position rebuilt through RebuildPosition and GameFinished cleared. The stored latest move is
// only repainted as the old latest move, and only when it lies on the board. Checks saved first,
// so a game that does not check out changes nothing. The counters, clock, commands and game mode
// in saved.Play are the game flow's to apply.
void InstallSavedMoves(const TSavedGame& saved);

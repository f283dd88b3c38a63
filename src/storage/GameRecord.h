// A game record as SGF and PSQ files carry it: board, rule, players, result and the moves.
#pragma once

#include "core/Types.h"
#include "variants/Rule.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TOutcome { Unfinished, BlackWon, WhiteWon, Draw };

// How a won game was won; a draw or an unfinished game keeps the default.
enum class TWinBy { Five, Resignation, Time, Forfeit };

struct TRecordMove {
    int X = 0; // from 1, left to right
    int Y = 0; // from 1, top to bottom
    TStoneColor Color = BlackStone;
    std::string Comment;                // UTF-8, empty when the record has none
    std::optional<std::int64_t> TimeMs; // what the move took, where the record says

    bool operator==(const TRecordMove&) const = default;
};

struct TGameRecord {
    int Size = LargeBoardSize;
    TRule Rule = TRule::Freestyle;
    std::string BlackName;
    std::string WhiteName;
    TOutcome Outcome = TOutcome::Unfinished;
    TWinBy WinBy = TWinBy::Five;
    std::string Date;    // as the record writes it; SGF's form is 2024-05-31
    std::string Comment; // on the game as a whole
    std::vector<TRecordMove> Moves;

    bool operator==(const TGameRecord&) const = default;
};

// Bounds on what a record may hold, so a hostile file costs little.
inline constexpr std::size_t MaxRecordFileBytes = 1 << 20;
inline constexpr std::size_t MaxRecordNameBytes = 200;
inline constexpr std::size_t MaxRecordCommentBytes = 20000;

// Raises EStorageError with text as is.
[[noreturn]] void RecordError(const std::string& text);

// Raises EStorageError unless a board of width by height is one Rennor plays; the message names the
// sizes it does play.
void CheckRecordBoardSize(int width, int height);

// Raises EStorageError when value is longer than limit bytes; what names the value for the user.
void CheckRecordValueLength(std::string_view value, std::size_t limit, std::string_view what);

// The structural checks of a decoded record: a board size Rennor plays, every move on the board,
// black and white in turn, no square taken twice, names and comments within their bounds. Whether
// the moves keep the record's rule is the replay's to judge.
void CheckGameRecord(const TGameRecord& record);

// "X:Y", the way messages name a square.
std::string RecordSquareName(int x, int y);
// "black" or "white", as the record's messages name a side.
std::string RecordColourName(TStoneColor color);

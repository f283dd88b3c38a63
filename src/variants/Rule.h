// The rules and openings a game can be played under, and the board sizes that go with them.
#pragma once

// The values are the brain protocol's `INFO rule` codes, so a rule crosses the protocol as is.
enum class TRule { Freestyle = 0, Standard = 1, Renju = 4 };

enum class TOpening { None, Swap, Swap2 };

// What the player asked in a swap opening answers; only Swap2's second player may place two more.
enum class TOpeningChoice { PlayBlack, PlayWhite, PlaceTwoMore };

// Renju's board and the common tournament size, beside the written 19x19 board.
constexpr int SmallBoardSize = 15;
constexpr int LargeBoardSize = 19;

constexpr bool IsPlayedSize(int size) {
    return size == SmallBoardSize || size == LargeBoardSize;
}

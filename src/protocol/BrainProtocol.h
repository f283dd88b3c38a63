// The Gomoku brain protocol as lines of text: what a manager sends and how a brain answers,
// read and written for both sides.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A square of a BOARD block: field 1 is the receiving brain's own stone, 2 its opponent's, 3 a
// square out of play (in a continuous game, a stone of a five already made).
struct TBoardEntry {
    int X = 0;
    int Y = 0;
    int Field = 0;
    bool operator==(const TBoardEntry&) const = default;
};

enum class TCommandKind {
    Start,     // START size
    RectStart, // RECTSTART width,height
    Restart,   // RESTART
    Begin,     // BEGIN: the brain opens on an empty board
    Turn,      // TURN x,y: the opponent's move, answered by the brain's
    Board,     // BOARD, entry lines, DONE: a whole position, answered by a move
    TakeBack,  // TAKEBACK x,y
    Info,      // INFO key value
    About,     // ABOUT
    End,       // END
    Unknown,   // a command this protocol does not have
    Malformed, // a known command with arguments that do not parse
};

struct TCommand {
    TCommandKind Kind = TCommandKind::Unknown;
    int Width = 0;  // START, RECTSTART
    int Height = 0; // RECTSTART; START gives the same as Width
    int X = 0;      // TURN, TAKEBACK
    int Y = 0;
    std::string Key;                  // INFO, lower case
    std::string Value;                // INFO
    std::vector<TBoardEntry> Entries; // BOARD
    std::string Problem;              // why a Malformed or Unknown command was refused
};

// Reads a manager's lines one at a time. A BOARD block spans lines up to DONE and comes out as
// one command, malformed as a whole if any of its lines is.
class TCommandReader {
public:
    // The command the line completes, or nothing for an empty line or inside a BOARD block.
    std::optional<TCommand> Feed(std::string_view line);
    // The same for a line too long to be read, of which this is the start.
    std::optional<TCommand> FeedTooLong(std::string_view start);
    bool InsideBoard() const { return Block.has_value(); }

private:
    std::optional<TCommand> Block;
};

// "x,y" with two non-negative numbers; nothing for anything else.
std::optional<std::pair<int, int>> ParseSquare(std::string_view text);

// The ABOUT answer's fields; empty fields are left out when written.
struct TAbout {
    std::string Name, Version, Author, Country, Www, Email;
    bool operator==(const TAbout&) const = default;
};

// Some text from the other side, fit to be quoted in a message: printable characters only, and
// no more than a few dozen of them.
std::string Excerpt(std::string_view text);

// Brain side: the answers. A reason is cut to one printable line of bounded length.
std::string FormatMove(int x, int y);
std::string FormatError(std::string_view reason);
std::string FormatUnknown(std::string_view reason);
std::string FormatAbout(const TAbout& about);

// Manager side: the commands.
std::string FormatStart(int size);
std::string FormatTurn(int x, int y);
std::string FormatTakeBack(int x, int y);
std::string FormatInfo(std::string_view key, long long value);
std::vector<std::string> FormatBoard(const std::vector<TBoardEntry>& entries);

// Manager side: a brain's line.
enum class TAnswerKind { Move, Ok, Error, Unknown, Message, Debug, Suggest, Other };
struct TAnswer {
    TAnswerKind Kind = TAnswerKind::Other;
    int X = 0; // a move
    int Y = 0;
    std::string Text; // what follows the keyword
};
TAnswer ParseAnswer(std::string_view line);
// The fields of an ABOUT answer, key="value" pairs separated by commas or blanks; nothing when
// the line is not such a list.
std::optional<TAbout> ParseAbout(std::string_view line);

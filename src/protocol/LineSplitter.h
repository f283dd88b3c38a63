// Cuts a stream of bytes into protocol lines, ended by CR, LF or CR LF, in bounded memory.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The longest line either side of the protocol takes; a BOARD or move line is a dozen
// characters, an INFO folder a path.
constexpr std::size_t LongestLine = 4096;

// Not TLine: the strong player names its line shapes so, and rennor-brain holds both.
struct TTextLine {
    std::string Text; // for a line too long, its first LongestLine bytes
    bool TooLong = false;
    bool operator==(const TTextLine&) const = default;
};

// Holds at most LongestLine bytes of an unfinished line: a longer line comes out once, as soon as
// it is known to be too long, and the rest of it is dropped up to its end.
class TLineSplitter {
public:
    // The lines these bytes finish, in order.
    std::vector<TTextLine> Feed(std::string_view bytes);
    // The last line of a stream that ends without a line end, if any.
    std::vector<TTextLine> Finish();
    // The bytes held of the unfinished line.
    std::size_t Held() const { return Partial.size(); }

private:
    void End(std::vector<TTextLine>& lines);

    std::string Partial;
    bool Dropping = false; // inside a line already given out as too long
    bool AfterCr = false;  // an LF right after a CR ends nothing more
};

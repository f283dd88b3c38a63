// Splitting protocol input into bounded lines.
#include "protocol/LineSplitter.h"

#include <algorithm>

void TLineSplitter::End(std::vector<TTextLine>& lines) {
    if (!Dropping) {
        lines.push_back({std::move(Partial), false});
    }
    Partial.clear();
    Dropping = false;
}

std::vector<TTextLine> TLineSplitter::Feed(std::string_view bytes) {
    std::vector<TTextLine> lines;
    while (!bytes.empty()) {
        if (AfterCr && bytes.front() == '\n') {
            bytes.remove_prefix(1);
        }
        AfterCr = false;
        const std::size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
        if (!Dropping) {
            const std::size_t room = LongestLine - Partial.size();
            Partial.append(bytes.substr(0, std::min(end, room)));
            if (end > room) {
                lines.push_back({std::move(Partial), true});
                Partial.clear();
                Dropping = true;
            }
        }
        if (end == bytes.size()) {
            break;
        }
        AfterCr = bytes[end] == '\r';
        End(lines);
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

std::vector<TTextLine> TLineSplitter::Finish() {
    std::vector<TTextLine> lines;
    if (!Partial.empty()) {
        End(lines);
    }
    Dropping = false;
    AfterCr = false;
    return lines;
}

// PSQ lines to and from the record's fields.
#include "storage/PsqRecord.h"

#include "storage/RecordText.h"

#include <algorithm>

namespace {

// The first word of every PSQ record: the format's own token, kept so managers read our files.
constexpr std::string_view HeaderWord = "Piskvorky";
constexpr std::string_view LineEnd = "\r\n";

// The lines of text, whatever their ends; blank lines at the end go.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    lines.push_back(text.substr(start));
    while (!lines.empty() && TrimRecordText(lines.back()).empty()) {
        lines.pop_back();
    }
    return lines;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t comma; (comma = line.find(',')) != std::string_view::npos;) {
        fields.push_back(line.substr(0, comma));
        line.remove_prefix(comma + 1);
    }
    fields.push_back(line);
    return fields;
}

// "Piskvorky 15x15, 11:11, 0": the size stands between the first space and the first comma.
int SizeRead(std::string_view header) {
    header = TrimRecordText(header);
    const std::size_t space = header.find(' ');
    const std::string_view size =
        space == std::string_view::npos ? "" : Fields(header.substr(space + 1)).front();
    const std::size_t x = size.find_first_of("xX");
    const std::optional<int> width = RecordNumber(size.substr(0, x));
    const std::optional<int> height =
        x == std::string_view::npos ? std::nullopt : RecordNumber(size.substr(x + 1));
    if (!width || !height) {
        RecordError("The file is not a PSQ record: its first line does not give the board size");
    }
    CheckRecordBoardSize(*width, *height);
    return *width;
}

// Trailing lines hold names and numbers; a move line starts with a number and has a comma.
bool LooksLikeMove(std::string_view line) {
    line = TrimRecordText(line);
    return !line.empty() && ((line[0] >= '0' && line[0] <= '9') || line[0] == '-') &&
           line.find(',') != std::string_view::npos;
}

TRecordMove MoveRead(std::string_view line, std::size_t lineNumber, TStoneColor color) {
    const std::vector<std::string_view> fields = Fields(line);
    std::optional<int> numbers[3];
    for (std::size_t i = 0; i < fields.size() && i < 3; ++i) {
        numbers[i] = RecordNumber(fields[i]);
    }
    const bool timed = fields.size() == 3;
    if (fields.size() > 3 || !numbers[0] || !numbers[1] ||
        (timed && (!numbers[2] || *numbers[2] < 0))) {
        RecordError("Line " + std::to_string(lineNumber) + " of the PSQ record is not a move: " +
                    std::string(TrimRecordText(line.substr(0, 40))));
    }
    TRecordMove move{*numbers[0], *numbers[1], color, {}, {}};
    if (timed) {
        move.TimeMs = *numbers[2];
    }
    return move;
}

} // namespace

std::string EncodePsq(const TGameRecord& record) {
    const std::string size = std::to_string(record.Size);
    std::string psq =
        std::string(HeaderWord) + " " + size + "x" + size + ", 11:11, 0" + std::string(LineEnd);
    for (const TRecordMove& m : record.Moves) {
        psq += std::to_string(m.X) + "," + std::to_string(m.Y) + "," +
               std::to_string(m.TimeMs.value_or(0)) + std::string(LineEnd);
    }
    if (!record.BlackName.empty() || !record.WhiteName.empty()) {
        for (const std::string& name : {record.BlackName, record.WhiteName}) {
            psq += RecordSimpleText(name) + std::string(LineEnd);
        }
    }
    return psq;
}

TGameRecord DecodePsq(std::string_view text) {
    const std::vector<std::string_view> lines = Lines(text);
    TGameRecord record;
    record.Size = SizeRead(lines.empty() ? std::string_view() : lines.front());
    std::size_t i = 1;
    for (TStoneColor color = BlackStone; i < lines.size() && LooksLikeMove(lines[i]);
         ++i, color = Opponent(color)) {
        record.Moves.push_back(MoveRead(lines[i], i + 1, color));
    }
    std::vector<std::string> names;
    for (; i < lines.size(); ++i) {
        if (!RecordNumber(lines[i])) {
            names.emplace_back(TrimRecordText(lines[i]));
        }
    }
    names.resize(std::max<std::size_t>(names.size(), 2));
    record.BlackName = names[0];
    record.WhiteName = names[1];
    return record;
}

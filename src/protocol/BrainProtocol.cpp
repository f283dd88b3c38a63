// Reading and writing the lines of the Gomoku brain protocol.
#include "protocol/BrainProtocol.h"

#include "protocol/LineSplitter.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <tuple>

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) {
        s.remove_prefix(1);
    }
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) {
        s.remove_suffix(1);
    }
    return s;
}

std::string Upper(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// The first word and the rest, both trimmed.
std::pair<std::string_view, std::string_view> SplitWord(std::string_view line) {
    line = Trim(line);
    const std::size_t space = line.find_first_of(" \t");
    if (space == std::string_view::npos) {
        return {line, {}};
    }
    return {line.substr(0, space), Trim(line.substr(space))};
}

// Quoted text is cut here, and a whole reason a little after it.
constexpr std::size_t LongestExcerpt = 40;
constexpr std::size_t LongestReason = 200;

// One line of printable characters, at most longest of them: a manager reads anything else as
// the end of the answer, or worse.
std::string Printable(std::string_view text, std::size_t longest) {
    std::string out;
    for (const char c : text.substr(0, longest)) {
        out += c >= ' ' && c <= '~' ? c : '?';
    }
    return text.size() > longest ? out + "..." : out;
}

// A number of at most six digits, nothing else around it but blanks. A size may have more:
// it is then too large for any board, and reads as the largest number.
std::optional<int> ParseCount(std::string_view text, bool size = false) {
    text = Trim(text);
    int value = 0;
    const bool digits =
        std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
    if (size && digits && text.size() > 6) {
        return std::numeric_limits<int>::max();
    }
    if (text.empty() || text.size() > 6) {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

// Numbers separated by commas, exactly count of them.
std::optional<std::vector<int>> ParseNumbers(std::string_view text, std::size_t count,
                                             bool sizes = false) {
    std::vector<int> numbers;
    while (numbers.size() < count) {
        const std::size_t comma = text.find(',');
        const auto number = ParseCount(text.substr(0, comma), sizes);
        if (!number || (comma == std::string_view::npos) != (numbers.size() + 1 == count)) {
            return std::nullopt;
        }
        numbers.push_back(*number);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    }
    return numbers;
}

TCommand Malformed(std::string problem) {
    TCommand c;
    c.Kind = TCommandKind::Malformed;
    c.Problem = std::move(problem);
    return c;
}

void MarkMalformed(TCommand& block, std::string problem) {
    if (block.Kind != TCommandKind::Malformed) {
        block.Kind = TCommandKind::Malformed;
        block.Problem = std::move(problem);
    }
}

void AddBoardLine(TCommand& block, std::string_view line) {
    const auto numbers = ParseNumbers(Trim(line), 3);
    std::string problem;
    if (!numbers) {
        problem = "BOARD line \"" + Excerpt(Trim(line)) + "\" is not x,y,field";
    } else if ((*numbers)[2] < 1 || (*numbers)[2] > 3) {
        problem = "BOARD field must be 1 (own stone), 2 (opponent's stone) or 3 (out of play)";
    } else {
        block.Entries.push_back({(*numbers)[0], (*numbers)[1], (*numbers)[2]});
        return;
    }
    MarkMalformed(block, std::move(problem));
}

TCommand WithSquare(TCommandKind kind, std::string_view name, std::string_view rest) {
    const auto square = ParseSquare(rest);
    if (!square) {
        return Malformed(std::string(name) + " needs a square x,y");
    }
    TCommand c;
    c.Kind = kind;
    c.X = square->first;
    c.Y = square->second;
    return c;
}

TCommand Simple(TCommandKind kind) {
    TCommand c;
    c.Kind = kind;
    return c;
}

TCommand ParseCommand(std::string_view name, std::string_view rest) {
    if (name == "START" || name == "RECTSTART") {
        const bool rect = name == "RECTSTART";
        const auto numbers = ParseNumbers(rest, rect ? 2 : 1, true);
        if (!numbers || numbers->front() == 0) {
            return Malformed(rect ? "RECTSTART needs a size width,height" : "START needs a size");
        }
        TCommand c = Simple(rect ? TCommandKind::RectStart : TCommandKind::Start);
        c.Width = numbers->front();
        c.Height = numbers->back();
        return c;
    }
    if (name == "TURN") {
        return WithSquare(TCommandKind::Turn, name, rest);
    }
    if (name == "TAKEBACK") {
        return WithSquare(TCommandKind::TakeBack, name, rest);
    }
    if (name == "INFO") {
        const auto [key, value] = SplitWord(rest);
        if (key.empty()) {
            return Malformed("INFO needs a key and a value");
        }
        TCommand c = Simple(TCommandKind::Info);
        c.Key = Lower(key);
        c.Value = std::string(value);
        return c;
    }
    for (const auto& [word, kind] : {std::pair{"RESTART", TCommandKind::Restart},
                                     {"BEGIN", TCommandKind::Begin},
                                     {"ABOUT", TCommandKind::About},
                                     {"END", TCommandKind::End}}) {
        if (name == word) {
            return Simple(kind);
        }
    }
    if (name == "DONE") {
        return Malformed("DONE without BOARD");
    }
    TCommand c = Simple(TCommandKind::Unknown);
    c.Problem = "unknown command " + Excerpt(name);
    return c;
}

} // namespace

std::optional<std::pair<int, int>> ParseSquare(std::string_view text) {
    const auto numbers = ParseNumbers(Trim(text), 2);
    if (!numbers) {
        return std::nullopt;
    }
    return std::pair{(*numbers)[0], (*numbers)[1]};
}

std::optional<TCommand> TCommandReader::Feed(std::string_view line) {
    line = Trim(line);
    if (line.empty()) {
        return std::nullopt;
    }
    if (Block) {
        if (Upper(line) != "DONE") {
            AddBoardLine(*Block, line);
            return std::nullopt;
        }
        std::optional<TCommand> done = std::move(Block);
        Block.reset();
        return done;
    }
    const auto [word, rest] = SplitWord(line);
    const std::string name = Upper(word);
    if (name == "BOARD") {
        Block = Simple(TCommandKind::Board);
        return std::nullopt;
    }
    return ParseCommand(name, rest);
}

std::optional<TCommand> TCommandReader::FeedTooLong(std::string_view start) {
    std::string problem = "a line of more than " + std::to_string(LongestLine) +
                          " characters is not read: \"" + Excerpt(Trim(start)) + "\"";
    if (Block) {
        MarkMalformed(*Block, std::move(problem));
        return std::nullopt;
    }
    return Malformed(std::move(problem));
}

std::string Excerpt(std::string_view text) {
    return Printable(text, LongestExcerpt);
}

std::string FormatMove(int x, int y) {
    return std::to_string(x) + "," + std::to_string(y);
}

std::string FormatError(std::string_view reason) {
    return "ERROR " + Printable(reason, LongestReason);
}

std::string FormatUnknown(std::string_view reason) {
    return "UNKNOWN " + Printable(reason, LongestReason);
}

std::string FormatAbout(const TAbout& about) {
    std::string out;
    for (const auto& [key, value] : {std::pair{"name", &about.Name},
                                     {"version", &about.Version},
                                     {"author", &about.Author},
                                     {"country", &about.Country},
                                     {"www", &about.Www},
                                     {"email", &about.Email}}) {
        if (!value->empty()) {
            out += (out.empty() ? "" : ", ") + std::string(key) + "=\"" + *value + "\"";
        }
    }
    return out;
}

std::string FormatStart(int size) {
    return "START " + std::to_string(size);
}

std::string FormatTurn(int x, int y) {
    return "TURN " + FormatMove(x, y);
}

std::string FormatTakeBack(int x, int y) {
    return "TAKEBACK " + FormatMove(x, y);
}

std::string FormatInfo(std::string_view key, long long value) {
    return "INFO " + std::string(key) + " " + std::to_string(value);
}

std::vector<std::string> FormatBoard(const std::vector<TBoardEntry>& entries) {
    std::vector<std::string> lines{"BOARD"};
    for (const TBoardEntry& e : entries) {
        lines.push_back(FormatMove(e.X, e.Y) + "," + std::to_string(e.Field));
    }
    lines.push_back("DONE");
    return lines;
}

TAnswer ParseAnswer(std::string_view line) {
    TAnswer answer;
    if (const auto square = ParseSquare(line)) {
        answer.Kind = TAnswerKind::Move;
        std::tie(answer.X, answer.Y) = *square;
        return answer;
    }
    const auto [word, rest] = SplitWord(line);
    const std::string name = Upper(word);
    answer.Text = std::string(rest);
    for (const auto& [keyword, kind] : {std::pair{"OK", TAnswerKind::Ok},
                                        {"ERROR", TAnswerKind::Error},
                                        {"UNKNOWN", TAnswerKind::Unknown},
                                        {"MESSAGE", TAnswerKind::Message},
                                        {"DEBUG", TAnswerKind::Debug},
                                        {"SUGGEST", TAnswerKind::Suggest}}) {
        if (name == keyword) {
            answer.Kind = kind;
        }
    }
    if (answer.Kind == TAnswerKind::Suggest) {
        if (const auto square = ParseSquare(rest)) {
            std::tie(answer.X, answer.Y) = *square;
        }
    }
    if (answer.Kind == TAnswerKind::Other) {
        answer.Text = std::string(Trim(line));
    }
    return answer;
}

std::optional<TAbout> ParseAbout(std::string_view line) {
    TAbout about;
    line = Trim(line);
    if (line.empty()) {
        return std::nullopt;
    }
    while (!line.empty()) {
        const std::size_t equals = line.find("=\"");
        const std::size_t close =
            equals == std::string_view::npos ? equals : line.find('"', equals + 2);
        const std::string_view key = line.substr(0, equals);
        if (close == std::string_view::npos || key.empty() ||
            !std::all_of(key.begin(), key.end(),
                         [](unsigned char c) { return std::isalnum(c) != 0 || c == '_'; })) {
            return std::nullopt;
        }
        const std::string name = Lower(key);
        for (const auto& [field, target] : {std::pair{"name", &about.Name},
                                            {"version", &about.Version},
                                            {"author", &about.Author},
                                            {"country", &about.Country},
                                            {"www", &about.Www},
                                            {"email", &about.Email}}) {
            if (name == field) {
                *target = std::string(line.substr(equals + 2, close - equals - 2));
            }
        }
        line = Trim(line.substr(close + 1));
        if (!line.empty() && line.front() == ',') {
            line = Trim(line.substr(1));
        }
    }
    return about;
}

// The SGF reader's scanner: one pass without recursion, so nesting depth costs nothing.
#include "storage/SgfSyntax.h"

#include "storage/GameRecord.h"

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

class TSgfScanner {
public:
    explicit TSgfScanner(std::string_view text) : Text(text) {}

    std::vector<TSgfNode> MainLine() {
        SkipSpace();
        if (AtEnd() || Text[Pos] != '(') {
            RecordError("The file is not an SGF record: it does not start with '('");
        }
        std::vector<TSgfNode> nodes;
        bool inMainLine = true;
        bool afterClose = false; // a node may not follow a closed variation in the same tree
        int depth = 0;
        for (;;) {
            SkipSpace();
            if (AtEnd()) {
                Malformed("ends before its game tree is closed");
            }
            const char c = Text[Pos++];
            if (c == '(') {
                ++depth;
                afterClose = false;
                SkipSpace();
                if (AtEnd() || Text[Pos] != ';') {
                    Malformed("has a game tree without a node");
                }
            } else if (c == ')') {
                inMainLine = false;
                afterClose = true;
                if (--depth == 0) {
                    return nodes;
                }
            } else if (c == ';' && !afterClose) {
                TSgfNode node = Properties();
                if (inMainLine) {
                    nodes.push_back(std::move(node));
                }
            } else {
                --Pos;
                Malformed("has '" + std::string(1, c) + "' where a node or variation should be");
            }
        }
    }

private:
    bool AtEnd() const { return Pos >= Text.size(); }

    void SkipSpace() {
        while (!AtEnd() && IsSpace(Text[Pos])) {
            ++Pos;
        }
    }

    [[noreturn]] void Malformed(const std::string& fault) const {
        RecordError("The SGF record " + fault + " (at byte " + std::to_string(Pos + 1) + ")");
    }

    TSgfNode Properties() {
        TSgfNode node;
        for (SkipSpace(); !AtEnd() && IsLetter(Text[Pos]); SkipSpace()) {
            TSgfProperty property{Identifier(), {}};
            for (SkipSpace(); !AtEnd() && Text[Pos] == '['; SkipSpace()) {
                ++Pos;
                property.Values.push_back(Value());
            }
            if (property.Values.empty()) {
                Malformed("has property " + property.Id + " without a value");
            }
            node.push_back(std::move(property));
        }
        return node;
    }

    // Files before FF[4] may spell AddBlack for AB: only the capitals count.
    std::string Identifier() {
        std::string id;
        const std::size_t start = Pos;
        for (; !AtEnd() && IsLetter(Text[Pos]); ++Pos) {
            if (Text[Pos] >= 'A' && Text[Pos] <= 'Z') {
                id += Text[Pos];
            }
        }
        if (id.empty()) {
            Pos = start;
            Malformed("has a property name without a capital letter");
        }
        return id;
    }

    // Reads up to the closing ']' and steps over it.
    std::string Value() {
        std::string value;
        while (!AtEnd() && Text[Pos] != ']') {
            const char c = Text[Pos++];
            if (c == '\\' && !AtEnd()) {
                const char escaped = Text[Pos];
                if (escaped == '\n' || escaped == '\r') {
                    LineBreak(); // a soft line break: it stands for nothing
                } else {
                    // Escaping keeps a character, yet a tab is still a space.
                    value += IsSpace(escaped) ? ' ' : escaped;
                    ++Pos;
                }
            } else if (c == '\n' || c == '\r') {
                --Pos;
                LineBreak();
                value += '\n';
            } else {
                value += IsSpace(c) ? ' ' : c;
            }
        }
        if (AtEnd()) {
            Malformed("ends inside a property value");
        }
        ++Pos;
        return value;
    }

    // Steps over one line break of any platform: "\n", "\r\n", "\n\r" or "\r".
    void LineBreak() {
        const char first = Text[Pos++];
        if (!AtEnd() && (Text[Pos] == '\n' || Text[Pos] == '\r') && Text[Pos] != first) {
            ++Pos;
        }
    }

    std::string_view Text;
    std::size_t Pos = 0;
};

} // namespace

std::vector<TSgfNode> ParseSgfMainLine(std::string_view text) {
    return TSgfScanner(text).MainLine();
}

std::string EscapeSgfValue(std::string_view value) {
    std::string escaped;
    escaped.reserve(value.size());
    for (char c : value) {
        if (c == '\\' || c == ']') {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

// The game's fields in SGF properties, both ways.
#include "storage/SgfRecord.h"

#include "storage/RecordText.h"
#include "storage/SgfSyntax.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

struct TRuleName {
    std::string_view Name; // lower case, letters and digits only
    TRule Rule;
};

constexpr std::array<TRuleName, 15> RuleNames = {{
    {"freestyle", TRule::Freestyle},
    {"freestylegomoku", TRule::Freestyle},
    {"gomoku", TRule::Freestyle},
    {"free", TRule::Freestyle},
    {"0", TRule::Freestyle},
    {"standard", TRule::Standard},
    {"standardgomoku", TRule::Standard},
    {"exactfive", TRule::Standard},
    {"exactlyfive", TRule::Standard},
    {"1", TRule::Standard},
    {"renju", TRule::Renju},
    {"rif", TRule::Renju},
    {"rifrenju", TRule::Renju},
    {"renjurif", TRule::Renju},
    {"4", TRule::Renju},
}};

std::string_view RuleWritten(TRule rule) {
    switch (rule) {
    case TRule::Standard:
        return "Standard";
    case TRule::Renju:
        return "Renju";
    default:
        return "Freestyle";
    }
}

TRule RuleRead(const std::string& value) {
    const std::string key = AlphanumericLowerCase(value);
    for (const TRuleName& n : RuleNames) {
        if (n.Name == key) {
            return n.Rule;
        }
    }
    RecordError("The SGF record's rule \"" + value +
                "\" is not one Rennor plays: freestyle, standard or renju");
}

std::string ResultWritten(TOutcome outcome, TWinBy by) {
    if (outcome == TOutcome::Draw) {
        return "0";
    }
    if (outcome == TOutcome::Unfinished) {
        return "Void";
    }
    static constexpr std::array<std::string_view, 4> ways = {"", "R", "T", "F"};
    return (outcome == TOutcome::BlackWon ? "B+" : "W+") +
           std::string(ways[static_cast<std::size_t>(by)]);
}

TWinBy WinByRead(const std::string& how) {
    const std::string key = AlphanumericLowerCase(how);
    if (key == "r" || key == "resign" || key == "resignation") {
        return TWinBy::Resignation;
    }
    if (key == "t" || key == "time") {
        return TWinBy::Time;
    }
    if (key == "f" || key == "forfeit") {
        return TWinBy::Forfeit;
    }
    return TWinBy::Five;
}

void ResultRead(const std::string& value, TGameRecord& record) {
    const std::string key = AlphanumericLowerCase(value);
    record.WinBy = TWinBy::Five;
    if (key == "0" || key == "draw" || key == "jigo") {
        record.Outcome = TOutcome::Draw;
    } else if (value.size() >= 2 && value[1] == '+' && (value[0] == 'B' || value[0] == 'W')) {
        record.Outcome = value[0] == 'B' ? TOutcome::BlackWon : TOutcome::WhiteWon;
        record.WinBy = WinByRead(value.substr(2));
    } else {
        record.Outcome = TOutcome::Unfinished;
    }
}

// SGF's letters: a to z are 1 to 26, A to Z go on from 27; 0 for anything else.
int CoordinateRead(char c) {
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 1;
    }
    return c >= 'A' && c <= 'Z' ? c - 'A' + 27 : 0;
}

char CoordinateWritten(int n) {
    return static_cast<char>('a' + n - 1);
}

std::pair<int, int> PointRead(const std::string& value, const std::string& what) {
    if (value.size() != 2 || CoordinateRead(value[0]) == 0 || CoordinateRead(value[1]) == 0) {
        RecordError(what + " is not a square: [" + value.substr(0, 12) + "]");
    }
    return {CoordinateRead(value[0]), CoordinateRead(value[1])};
}

int SizeNumber(const std::string& value) {
    const std::optional<int> n = RecordNumber(value);
    if (!n) {
        RecordError("The SGF record's board size [" + value.substr(0, 12) + "] is not a number");
    }
    return *n;
}

// SZ[19], or SZ[19:19] as FF[4] allows for a board of two sides.
int SizeRead(const std::string& value) {
    const std::size_t colon = value.find(':');
    const int width = SizeNumber(value.substr(0, colon));
    const int height = colon == std::string::npos ? width : SizeNumber(value.substr(colon + 1));
    CheckRecordBoardSize(width, height);
    return width;
}

// Walks the main line's nodes into a record.
class TSgfDecoder {
public:
    explicit TSgfDecoder(bool latin1) : Latin1(latin1) {}

    void Node(const TSgfNode& node) {
        const TSgfProperty* move = nullptr;
        std::string comment;
        for (const TSgfProperty& p : node) {
            if (p.Id == "B" || p.Id == "W") {
                if (move != nullptr) {
                    RecordError("A node of the SGF record holds two moves");
                }
                move = &p;
            } else if (p.Id == "C") {
                comment = Text(p);
            } else {
                Property(p);
            }
        }
        if (move != nullptr) {
            Move(*move);
        }
        std::string& to = Record.Moves.empty() ? Record.Comment : Record.Moves.back().Comment;
        to += (to.empty() || comment.empty() ? "" : "\n") + comment;
    }

    TGameRecord Finish() {
        PlaceSetup(BlackStone);
        return std::move(Record);
    }

private:
    std::string Text(const TSgfProperty& p) const { return RecordText(p.Values.front(), Latin1); }

    std::string SimpleText(const TSgfProperty& p) const { return RecordSimpleText(Text(p)); }

    void Property(const TSgfProperty& p) {
        if (p.Id == "AB" || p.Id == "AW") {
            Setup(p);
        } else if (p.Id == "AE") {
            RecordError("The SGF record removes stones (AE), which a game of five in a row "
                        "never does");
        } else if (p.Id == "GM" && SimpleText(p) != "4") {
            RecordError("The SGF record is of game GM[" + SimpleText(p) +
                        "], not of five in a row (GM[4])");
        } else if (p.Id == "SZ") {
            Record.Size = SizeRead(SimpleText(p));
        } else if (p.Id == "RU") {
            Record.Rule = RuleRead(SimpleText(p));
        } else if (p.Id == "RE") {
            ResultRead(SimpleText(p), Record);
        } else if (p.Id == "PB" || p.Id == "PW" || p.Id == "DT") {
            (p.Id == "PB"   ? Record.BlackName
             : p.Id == "PW" ? Record.WhiteName
                            : Record.Date) = SimpleText(p);
        }
    }

    void Setup(const TSgfProperty& p) {
        if (!Record.Moves.empty()) {
            RecordError("The SGF record sets up stones after move " +
                        std::to_string(Record.Moves.size()));
        }
        auto& stones = p.Id == "AB" ? SetupBlack : SetupWhite;
        for (const std::string& v : p.Values) {
            stones.push_back(PointRead(v, "A set-up stone of the SGF record"));
        }
    }

    void Move(const TSgfProperty& p) {
        const TStoneColor color = p.Id == "B" ? BlackStone : WhiteStone;
        PlaceSetup(color);
        const std::string what =
            "Move " + std::to_string(Record.Moves.size() + 1) + " of the record";
        if (p.Values.size() != 1) {
            RecordError(what + " names more than one square");
        }
        const std::string& value = p.Values.front();
        if (value.empty() || value == "tt") {
            RecordError(what + " is a pass, which a game of five in a row does not have");
        }
        const auto [x, y] = PointRead(value, what);
        Record.Moves.push_back({x, y, color, {}, {}});
    }

    // Set-up stones become the opening moves, in turn, so that the last of them is the opponent
    // of next: the colour of the first move played after them.
    void PlaceSetup(TStoneColor next) {
        if (SetupPlaced) {
            return;
        }
        SetupPlaced = true;
        const std::size_t blacks = SetupBlack.size(), whites = SetupWhite.size();
        if (std::max(blacks, whites) > std::min(blacks, whites) + 1) {
            RecordError("The SGF record sets up " + std::to_string(blacks) + " black and " +
                        std::to_string(whites) +
                        " white stones, which cannot have been played in turn");
        }
        TStoneColor color = blacks > whites ? BlackStone : whites > blacks ? WhiteStone : next;
        std::size_t b = 0, w = 0;
        while (b < blacks || w < whites) {
            const auto [x, y] = color == BlackStone ? SetupBlack[b++] : SetupWhite[w++];
            Record.Moves.push_back({x, y, color, {}, {}});
            color = Opponent(color);
        }
    }

    bool Latin1;
    TGameRecord Record;
    std::vector<std::pair<int, int>> SetupBlack, SetupWhite;
    bool SetupPlaced = false;
};

// Whether the record's text is Latin-1: CA says so, or, with no CA, the text is not UTF-8.
bool IsLatin1(const std::vector<TSgfNode>& nodes, std::string_view text) {
    for (const TSgfProperty& p : nodes.front()) {
        if (p.Id == "CA") {
            const std::string key = AlphanumericLowerCase(p.Values.front());
            return key == "iso88591" || key == "latin1";
        }
    }
    return !IsUtf8(text);
}

} // namespace

std::string EncodeSgf(const TGameRecord& record) {
    std::string sgf = "(;FF[4]GM[4]CA[UTF-8]AP[Rennor]SZ[" + std::to_string(record.Size) + "]RU[" +
                      std::string(RuleWritten(record.Rule)) + "]";
    const auto property = [&sgf](std::string_view id, std::string_view value) {
        if (!value.empty()) {
            sgf += std::string(id) + "[" + EscapeSgfValue(value) + "]";
        }
    };
    property("PB", RecordSimpleText(record.BlackName));
    property("PW", RecordSimpleText(record.WhiteName));
    property("DT", RecordSimpleText(record.Date));
    property("RE", ResultWritten(record.Outcome, record.WinBy));
    property("C", record.Comment);
    for (const TRecordMove& m : record.Moves) {
        sgf += std::string("\n;") + (m.Color == BlackStone ? "B[" : "W[") + CoordinateWritten(m.X) +
               CoordinateWritten(m.Y) + "]";
        property("C", m.Comment);
    }
    return sgf + ")\n";
}

TGameRecord DecodeSgf(std::string_view text) {
    const std::vector<TSgfNode> nodes = ParseSgfMainLine(text);
    TSgfDecoder decoder(IsLatin1(nodes, text));
    for (const TSgfNode& node : nodes) {
        decoder.Node(node);
    }
    return decoder.Finish();
}

// The brain's side of the protocol: one command in, its answer lines out.
#include "protocol/BrainSession.h"

#include <algorithm>
#include <charconv>
#include <ostream>
#include <streambuf>

namespace {

using TLines = std::vector<std::string>;

TLines Error(const std::string& reason) {
    return {FormatError(reason)};
}

std::optional<long long> Number(const std::string& text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

// A turn time of 0 asks for the quickest answer; the engine still gets a little.
constexpr long long QuickTurn = 30;
// Room for the answer to reach the manager on a busy machine: the search stops within a few
// milliseconds of its deadline and the answer crosses the pipe in well under one, but with three
// processes for each core an answer may wait 10 ms and more to be scheduled (bench/protocol
// BM_TurnTime, and tools/match.py's late answers, show it). A fixed margin, so that long turns are
// used whole: the answer comes within 20 ms of any turn time.
constexpr long long AnswerMargin = 20;
// Of the time left in the match, one move takes at most this share.
constexpr long long MatchShare = 15;
// The rules played: five or more (0), exactly five (1) and renju (4). The continuous-game bit
// (2) only lets a BOARD mark stones out of play.
bool IsPlayedRule(long long rule) {
    rule &= ~2LL;
    return rule == 0 || rule == 1 || rule == 4;
}

constexpr long long ContinuousRule = 2;

TStoneOwner OwnerOf(int field) {
    return field == 1   ? TStoneOwner::Brain
           : field == 2 ? TStoneOwner::Opponent
                        : TStoneOwner::Nobody;
}

// The first square of five or more stones of one side in a row, if the game holds one.
std::optional<std::pair<int, int>> FiveOf(const TBrainGame& game) {
    const int size = game.Size;
    std::vector<const TBrainStone*> at(static_cast<std::size_t>(size * size));
    for (const TBrainStone& s : game.Stones) {
        at[static_cast<std::size_t>(s.Y * size + s.X)] = &s;
    }
    const auto owner = [&](int x, int y) {
        const bool on = x >= 0 && y >= 0 && x < size && y < size;
        const TBrainStone* s = on ? at[static_cast<std::size_t>(y * size + x)] : nullptr;
        return s ? s->Owner : TStoneOwner::Nobody;
    };
    for (const TBrainStone& s : game.Stones) {
        if (s.Owner == TStoneOwner::Nobody) {
            continue;
        }
        for (const auto& [dx, dy] : {std::pair{1, 0}, {0, 1}, {1, 1}, {1, -1}}) {
            int run = 1;
            while (run < 5 && owner(s.X + run * dx, s.Y + run * dy) == s.Owner) {
                ++run;
            }
            if (run == 5) {
                return std::pair{s.X, s.Y};
            }
        }
    }
    return std::nullopt;
}

} // namespace

std::chrono::milliseconds TBrainSession::MoveBudget() const {
    long long limit = TurnTime == 0 ? QuickTurn : TurnTime;
    if (MatchTime > 0 && TimeLeft) { // without a match limit, what is left means nothing
        limit = std::min(limit, *TimeLeft / MatchShare);
    }
    return std::chrono::milliseconds(std::max(1LL, limit - AnswerMargin));
}

std::vector<std::string> TBrainSession::Handle(const TTextLine& line) {
    const std::optional<TCommand> command =
        line.TooLong ? Reader.FeedTooLong(line.Text) : Reader.Feed(line.Text);
    if (!command) {
        return {};
    }
    return Run(*command);
}

std::vector<std::string> TBrainSession::Run(const TCommand& c) {
    switch (c.Kind) {
    case TCommandKind::Unknown:
        return {FormatUnknown(c.Problem)};
    case TCommandKind::Malformed:
        return Error(c.Problem);
    case TCommandKind::Start:
    case TCommandKind::RectStart:
        return Start(c.Width, c.Height);
    case TCommandKind::Info:
        return Info(c.Key, c.Value);
    case TCommandKind::About:
        return {FormatAbout(Engine.About())};
    case TCommandKind::End:
        Finished = true;
        return {};
    default:
        break;
    }
    if (Game.Size == 0) {
        return Error("no game: START comes first");
    }
    switch (c.Kind) {
    case TCommandKind::Restart:
        return Start(Game.Size, Game.Size);
    case TCommandKind::Turn:
        return Turn(c.X, c.Y);
    case TCommandKind::Board:
        return SetBoard(c.Entries);
    case TCommandKind::TakeBack:
        return TakeBack(c.X, c.Y);
    default:
        return Move(); // BEGIN
    }
}

std::vector<std::string> TBrainSession::Start(int width, int height) {
    if (width != height) {
        return Error("only square boards are played");
    }
    if (const auto refusal = Engine.RefuseSize(width)) {
        return Error(*refusal);
    }
    Game = {width, {}};
    Engine.NewGame(width);
    return {"OK"};
}

bool TBrainSession::Taken(int x, int y) const {
    return std::any_of(Game.Stones.begin(), Game.Stones.end(),
                       [&](const TBrainStone& s) { return s.X == x && s.Y == y; });
}

std::optional<std::string> TBrainSession::SquareProblem(int x, int y) const {
    const std::string square = FormatMove(x, y);
    if (x >= Game.Size || y >= Game.Size) {
        return "square " + square + " is off the board";
    }
    if (Taken(x, y)) {
        return "square " + square + " is taken";
    }
    return std::nullopt;
}

std::vector<std::string> TBrainSession::Turn(int x, int y) {
    if (const auto problem = SquareProblem(x, y)) {
        return Error(*problem);
    }
    Game.Stones.push_back({x, y, TStoneOwner::Opponent});
    return Move();
}

std::vector<std::string> TBrainSession::SetBoard(const std::vector<TBoardEntry>& entries) {
    TBrainGame next{Game.Size, {}};
    std::swap(next, Game);
    for (const TBoardEntry& e : entries) {
        auto problem = SquareProblem(e.X, e.Y);
        if (!problem && e.Field == 3 && !Continuous) {
            problem = "field 3 (out of play) comes only in a continuous game (INFO rule 2)";
        }
        if (problem) {
            std::swap(next, Game); // the old position stands
            return Error("BOARD: " + *problem);
        }
        Game.Stones.push_back({e.X, e.Y, OwnerOf(e.Field)});
    }
    if (const auto five = FiveOf(Game)) {
        std::swap(next, Game);
        return Error("BOARD: the game is over, five in a row from " +
                     FormatMove(five->first, five->second));
    }
    return Move();
}

std::vector<std::string> TBrainSession::TakeBack(int x, int y) {
    const auto it = std::find_if(Game.Stones.begin(), Game.Stones.end(),
                                 [&](const TBrainStone& s) { return s.X == x && s.Y == y; });
    if (it == Game.Stones.end()) {
        return Error("no stone on " + FormatMove(x, y) + " to take back");
    }
    Game.Stones.erase(it);
    return {"OK"};
}

std::vector<std::string> TBrainSession::Info(const std::string& key, const std::string& value) {
    const bool timeKey = key == "timeout_turn" || key == "timeout_match" || key == "time_left";
    if (timeKey || key == "rule" || key == "max_memory" || key == "game_type") {
        const auto number = Number(value);
        if (!number) {
            return Error("INFO " + key + " needs a whole number, not \"" + Excerpt(value) + "\"");
        }
        if (key == "timeout_turn") {
            TurnTime = *number;
        } else if (key == "timeout_match") {
            MatchTime = *number;
        } else if (key == "time_left") {
            TimeLeft = *number;
        } else if (key == "rule" && !IsPlayedRule(*number)) {
            return Error("the rules played are 0 (five or more), 1 (exactly five) and 4 (renju)");
        } else if (key == "rule") {
            Continuous = (*number & ContinuousRule) != 0;
        }
    }
    if (const auto refusal = Engine.Configure(key, value)) {
        return Error(*refusal);
    }
    return {};
}

std::vector<std::string> TBrainSession::Move() {
    if (static_cast<int>(Game.Stones.size()) >= Game.Size * Game.Size) {
        return Error("the board is full");
    }
    auto [x, y] = Engine.Choose(Game, MoveBudget());
    if (x < 0 || y < 0 || SquareProblem(x, y)) {
        // An engine without a move still answers with the first empty square.
        for (int i = 0; i < Game.Size * Game.Size; ++i) {
            x = i % Game.Size;
            y = i / Game.Size;
            if (!Taken(x, y)) {
                break;
            }
        }
    }
    Game.Stones.push_back({x, y, TStoneOwner::Brain});
    return {FormatMove(x, y)};
}

void ServeBrain(std::streambuf& in, std::ostream& out, TBrainSession& session) {
    TLineSplitter splitter;
    char chunk[LongestLine];
    bool more = true;
    while (more && !session.Ended()) {
        // Waits for at least one byte, then takes no more than have come.
        more = in.sgetc() != std::streambuf::traits_type::eof();
        const auto count = std::clamp<std::streamsize>(in.in_avail(), 1, sizeof chunk);
        const std::vector<TTextLine> lines =
            more ? splitter.Feed({chunk, static_cast<std::size_t>(in.sgetn(chunk, count))})
                 : splitter.Finish();
        for (auto line = lines.begin(); line != lines.end() && !session.Ended(); ++line) {
            for (const std::string& answer : session.Handle(*line)) {
                out << answer << '\n';
            }
            out.flush();
        }
    }
}

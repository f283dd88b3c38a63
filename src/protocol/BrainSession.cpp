// The brain's side of the protocol: one command in, its answer lines out.
#include "protocol/BrainSession.h"

#include <algorithm>
#include <charconv>

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
constexpr long long QuickTurn = 20;
// Of the time left in the match, one move takes at most this share.
constexpr long long MatchShare = 15;
// The rules played: five or more (0), exactly five (1) and renju (4). The continuous-game bit
// (2) means nothing to a brain that is asked move by move.
bool IsPlayedRule(long long rule) {
    rule &= ~2LL;
    return rule == 0 || rule == 1 || rule == 4;
}

} // namespace

std::chrono::milliseconds TBrainSession::MoveBudget() const {
    long long limit = TurnTime == 0 ? QuickTurn : TurnTime;
    if (MatchTime > 0 && TimeLeft) { // without a match limit, what is left means nothing
        limit = std::min(limit, *TimeLeft / MatchShare);
    }
    // Room for the answer to reach the manager, and for a busy machine.
    const long long margin = std::max(15LL, limit / 4);
    return std::chrono::milliseconds(std::max(1LL, limit - margin));
}

std::vector<std::string> TBrainSession::Handle(std::string_view line) {
    const std::optional<TCommand> command = Reader.Feed(line);
    if (!command) {
        return {};
    }
    return Run(*command);
}

std::vector<std::string> TBrainSession::Run(const TCommand& c) {
    switch (c.Kind) {
    case TCommandKind::Unknown:
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
    Game.Stones.push_back({x, y, false});
    return Move();
}

std::vector<std::string> TBrainSession::SetBoard(const std::vector<TBoardEntry>& entries) {
    TBrainGame next{Game.Size, {}};
    std::swap(next, Game);
    for (const TBoardEntry& e : entries) {
        if (const auto problem = SquareProblem(e.X, e.Y)) {
            std::swap(next, Game); // the old position stands
            return Error("BOARD: " + *problem);
        }
        Game.Stones.push_back({e.X, e.Y, e.Field == 1});
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
            return Error("INFO " + key + " needs a whole number, not \"" + value + "\"");
        }
        if (key == "timeout_turn") {
            TurnTime = *number;
        } else if (key == "timeout_match") {
            MatchTime = *number;
        } else if (key == "time_left") {
            TimeLeft = *number;
        } else if (key == "rule" && !IsPlayedRule(*number)) {
            return Error("the rules played are 0 (five or more), 1 (exactly five) and 4 (renju)");
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
    Game.Stones.push_back({x, y, true});
    return {FormatMove(x, y)};
}

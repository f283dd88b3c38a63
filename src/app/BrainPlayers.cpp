// Rennor Emperor and Rennor King as protocol engines, and the brain's command line.
#include "app/BrainPlayers.h"

#include "core/LiveSettings.h"
#include "core/Random.h"
#include "core/Rules.h"
#include "engine/Choice.h"
#include "ui/ProductAddresses.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

const char BrainUsage[] =
    "usage: rennor-brain [--player=emperor|king] [--randomness=1..11] [--ad-factor=-16..16]\n"
    "                    [--seed=N]\n"
    "Speaks the Gomoku brain protocol on standard input and output. Rennor Emperor plays\n"
    "boards of 15 to 22; Rennor King, as in the game, plays 19x19 with its randomness and\n"
    "attack/defence settings. INFO rennor_player, rennor_randomness and rennor_ad_factor\n"
    "change them during a session. Rennor Emperor plays INFO rule 0 (five or more), 1 (exactly\n"
    "five) and 4 (renju); Rennor King plays rule 0. Until INFO timeout_turn says otherwise, a\n"
    "move may take the protocol's default of 30 seconds, less a margin.\n";

namespace {

constexpr std::size_t LargestTable = std::size_t{32} << 20;
constexpr const char* KingRule = "Rennor King plays only five or more in a row (rule 0)";
constexpr std::size_t SmallestTable = std::size_t{1} << 20;
constexpr std::chrono::milliseconds WarmUpTime{20};

std::optional<long long> Whole(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// One setting by its name (as INFO key, or command-line switch without the dashes): nothing
// when taken, else why not.
std::optional<std::string> Apply(TBrainSettings& s, std::string_view name, std::string_view value) {
    const std::string given = std::string(name) + " \"" + Excerpt(value) + "\"";
    if (name == "player") {
        if (value != "emperor" && value != "king") {
            return given + ": the player is emperor or king";
        }
        s.Player = value == "king" ? TBrainPlayer::King : TBrainPlayer::Emperor;
        return std::nullopt;
    }
    const auto number = Whole(value);
    if (name == "randomness" && number && *number >= 1 && *number <= 11) {
        s.Randomness = static_cast<int>(*number);
    } else if (name == "ad-factor" && number && *number >= -16 && *number <= 16) {
        s.ADFactor = static_cast<int>(*number);
    } else if (name == "seed" && number && *number >= 0) {
        s.Seed = static_cast<std::uint64_t>(*number);
    } else {
        return given + " is not a setting of this brain";
    }
    return std::nullopt;
}

// The brain's own stones are black to its players, whichever colour they have in the game.
TStoneColor ColorOf(const TBrainStone& s) {
    return s.Owner == TStoneOwner::Brain ? BlackStone : WhiteStone;
}

} // namespace

std::optional<std::string> ParseBrainArguments(int argc, char** argv, TBrainSettings& settings) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const std::size_t equals = arg.find('=');
        if (!arg.starts_with("--") || equals == std::string_view::npos) {
            return "unknown argument " + std::string(arg);
        }
        if (auto problem = Apply(settings, arg.substr(2, equals - 2), arg.substr(equals + 1))) {
            return problem;
        }
    }
    return std::nullopt;
}

TRennorBrain::TRennorBrain(const TBrainSettings& settings)
    : Settings(settings), TableBytes(LargestTable),
      Emperor(std::make_unique<TEmperor>(TableBytes)) {
    // The rule comes just before the first move, which must not pay for its tables.
    TEmperor::Prepare(TRule::Renju);
}

TAbout TRennorBrain::About() const {
    const bool king = Settings.Player == TBrainPlayer::King;
    return {king ? "Rennor King" : "Rennor Emperor",
            RENNOR_VERSION,
            "Veltrane Inc.",
            "International",
            WebPageAddress,
            SupportEMailAddress};
}

std::optional<std::string> TRennorBrain::RefuseSize(int size) const {
    const bool king = Settings.Player == TBrainPlayer::King;
    const int largest = king ? BoardSize : MaxSearchSize;
    if (size >= (king ? BoardSize : MinSearchSize) && size <= largest) {
        return std::nullopt;
    }
    return std::string(size > largest ? "the size is too large: " : "the size is too small: ") +
           (king ? "Rennor King plays only on a 19x19 board"
                 : "Rennor Emperor plays on boards of 15 to 22 squares a side");
}

// A first search pages in the code and memory that every search needs, so that the first answer
// of a session, which may have only milliseconds, does not pay for them.
void TRennorBrain::WarmUp() {
    if (std::exchange(Warm, true)) {
        return;
    }
    TSearchPosition position;
    position.Size = MinSearchSize;
    for (const auto& [x, y] : {std::pair{7, 7}, {8, 8}, {8, 6}, {6, 8}, {7, 6}}) {
        position.Stones.push_back({x, y, position.Stones.size() % 2 ? WhiteStone : BlackStone});
    }
    position.ToMove = WhiteStone;
    const std::atomic<bool> never{false};
    Emperor->Think(position, TSearchLimits{WarmUpTime}, never);
}

void TRennorBrain::NewGame(int size) {
    Size = size;
    WarmUp();
    Emperor->NewGame();
    if (Settings.Seed) {
        SeedRandom(*Settings.Seed);
    } else {
        RandomizeFromTimeOfDay();
    }
}

std::optional<std::string> TRennorBrain::Configure(const std::string& key,
                                                   const std::string& value) {
    if (key == "max_memory") {
        // Half of what the manager allows goes to the table; 0 means no limit.
        const std::size_t allowed = static_cast<std::size_t>(Whole(value).value_or(0));
        const std::size_t bytes =
            allowed == 0 ? LargestTable : std::clamp(allowed / 2, SmallestTable, LargestTable);
        if (bytes != TableBytes) {
            TableBytes = bytes;
            Emperor = std::make_unique<TEmperor>(TableBytes);
        }
        return std::nullopt;
    }
    if (key == "rule") {
        const TRule rule = static_cast<TRule>(Whole(value).value_or(0) & ~2LL);
        if (rule != TRule::Freestyle && Settings.Player == TBrainPlayer::King) {
            return KingRule;
        }
        Rule = rule;
        return std::nullopt;
    }
    if (!key.starts_with("rennor_")) {
        return std::nullopt;
    }
    std::string name = key.substr(7);
    std::replace(name.begin(), name.end(), '_', '-');
    TBrainSettings next = Settings;
    if (auto problem = Apply(next, name, value)) {
        return "INFO " + *problem;
    }
    if (next.Player == TBrainPlayer::King && Size != 0 && Size != BoardSize) {
        return "INFO rennor_player: Rennor King plays only on a 19x19 board";
    }
    if (next.Player == TBrainPlayer::King && Rule != TRule::Freestyle) {
        return KingRule;
    }
    Settings = next;
    return std::nullopt;
}

// Neither player knows a square out of play: both see it empty, and should either choose it, the
// session answers with a free square instead.
std::pair<int, int> TRennorBrain::Choose(const TBrainGame& game, std::chrono::milliseconds budget) {
    return Settings.Player == TBrainPlayer::King ? KingMove(game) : EmperorMove(game, budget);
}

// The written player reads the program-wide game state and settings: both are set up afresh
// from the position for every move, the brain's own stones black.
std::pair<int, int> TRennorBrain::KingMove(const TBrainGame& game) const {
    ResetGameState();
    Live = TLiveSettings{};
    Live.Randomness = Settings.Randomness;
    Live.ADFactor = Settings.ADFactor;
    for (const TBrainStone& s : game.Stones) {
        if (s.Owner != TStoneOwner::Nobody) {
            ReplayMove(s.X + 1, s.Y + 1, ColorOf(s));
        }
    }
    Game.ColorToMove = BlackStone;
    std::uint8_t x = 0, y = 0;
    ChooseMove(x, y);
    return {x - 1, y - 1};
}

std::pair<int, int> TRennorBrain::EmperorMove(const TBrainGame& game,
                                              std::chrono::milliseconds budget) {
    TSearchPosition position;
    position.Size = game.Size;
    position.Rule = Rule;
    // Five or more is the same game for both colours, so the brain plays it as black. Other
    // rules tell the colours apart: black has moved as often as white when it is black's turn.
    const auto count = [&](TStoneOwner owner) {
        return std::count_if(game.Stones.begin(), game.Stones.end(),
                             [owner](const TBrainStone& s) { return s.Owner == owner; });
    };
    const bool black =
        Rule == TRule::Freestyle || count(TStoneOwner::Brain) == count(TStoneOwner::Opponent);
    const TStoneColor me = black ? BlackStone : WhiteStone;
    position.ToMove = me;
    for (const TBrainStone& s : game.Stones) {
        if (s.Owner != TStoneOwner::Nobody) {
            position.Stones.push_back(
                {s.X, s.Y, s.Owner == TStoneOwner::Brain ? me : Opponent(me)});
        }
    }
    const std::atomic<bool> never{false};
    const TSearchResult result = Emperor->Think(position, TSearchLimits{budget}, never);
    return {result.X, result.Y};
}

// Builds the forced-win set that the search tests and benches read: positions from games of
// Rennor King against itself at its most random where the side to move wins by fours, 3 to 12 of
// them (as found by the threat search, none shorter), each win checked move by move on a board
// that knows only the rule.
// Usage: make_forced_wins [per-length [first-game [fewest-fours]]] > tests/search/forced-wins.txt
#include "ForcedWins.h"

#include "core/LiveSettings.h"
#include "core/Random.h"
#include "core/Rules.h"
#include "engine/Choice.h"
#include "search/ThreatSearch.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>

namespace {

constexpr int FewestFours = 3;
constexpr int MostFours = 12;
constexpr std::uint64_t NodeLimit = 100000;
// Players that care more for their own lines than for the opponent's leave longer chains of
// fours on the board: games from this number on lean to attack.
constexpr unsigned AttackFrom = 100000;

TSearchPosition CurrentGame() {
    TSearchPosition p{BoardSize, {}, Game.ColorToMove};
    for (int x = 1; x <= BoardSize; ++x) {
        for (int y = 1; y <= BoardSize; ++y) {
            if (Game.Board[x][y] != NoStone) {
                p.Stones.push_back({x - 1, y - 1, Game.Board[x][y]});
            }
        }
    }
    return p;
}

// The shortest win by fours for the side to move, as squares, ending in five; empty if none or
// if the position is decided sooner (a five to make or to stop, an open four).
std::vector<std::pair<int, int>> ShortestFourWin(const TSearchPosition& p, int fewest) {
    TSearchBoard board(p.Size);
    for (const TSearchStone& s : p.Stones) {
        board.Place(board.CellOf(s.X, s.Y), s.Color);
    }
    board.SetToMove(p.ToMove);
    const int me = p.ToMove;
    if (board.CountOf(me, TShape::Five) + board.CountOf(me, TShape::Flex4) +
            board.CountOf(Other(me), TShape::Five) >
        0) {
        return {};
    }
    const std::atomic<bool> never{false};
    TSearchClock clock(TSearchClock::TClock::now() + std::chrono::hours(1), never);
    TThreatSearch threats(board, clock);
    // Wins shorter than wanted are passed over at once, as are positions without one.
    if (!threats.Vcf(MostFours, NodeLimit) || (fewest > 2 && threats.Vcf(fewest - 2, NodeLimit))) {
        return {};
    }
    for (int fours = std::max(1, fewest - 1); fours <= MostFours; ++fours) {
        if (threats.Vcf(fours, NodeLimit)) {
            std::vector<std::pair<int, int>> line;
            for (TCell c : threats.Line()) {
                line.emplace_back(board.XOf(c), board.YOf(c));
            }
            return line;
        }
    }
    return {};
}

// A line that ends in an open four goes on to five: the defender takes one end, we the other.
void PlayToFive(const TSearchPosition& p, std::vector<std::pair<int, int>>& line) {
    TPlainBoard board(p);
    const TStoneColor me = p.ToMove;
    for (std::size_t i = 0; i < line.size(); ++i) {
        board.Put(line[i].first, line[i].second, i % 2 == 0 ? me : Opponent(me));
    }
    const auto [x, y] = line.back();
    if (board.MakesFive(x, y)) {
        return;
    }
    auto fives = board.Fives(me);
    line.push_back(*fives.begin());
    line.push_back(*fives.rbegin());
}

std::string Describe(const TSearchPosition& p, int fours) {
    std::ostringstream text;
    text << p.Size << ' ' << fours << ' ' << (p.ToMove == BlackStone ? "black" : "white");
    for (TStoneColor colour : {BlackStone, WhiteStone}) {
        text << " :";
        for (const TSearchStone& s : p.Stones) {
            if (s.Color == colour) {
                text << ' ' << s.X << ',' << s.Y;
            }
        }
    }
    return text.str();
}

// The win of the fewest fours (none below fewest) for p, played to five and checked, and how
// many fours it takes; 0 when there is none.
int FourWin(const TSearchPosition& p, int fewest, std::vector<std::pair<int, int>>& line) {
    line = ShortestFourWin(p, fewest);
    if (line.empty()) {
        return 0;
    }
    PlayToFive(p, line);
    return ProvesFourWin(p, line) ? static_cast<int>(line.size() - 1) / 2 : 0;
}

// A square with no stone within five of it, in a corner, where one more stone changes nothing.
std::pair<int, int> QuietCorner(const TSearchPosition& p) {
    for (int x : {0, p.Size - 1}) {
        for (int y : {0, p.Size - 1}) {
            if (std::none_of(p.Stones.begin(), p.Stones.end(), [&](const TSearchStone& s) {
                    return std::abs(s.X - x) <= 5 && std::abs(s.Y - y) <= 5;
                })) {
                return {x, y};
            }
        }
    }
    return {-1, -1};
}

// Long wins are rare in games: a win one four longer is made by putting a defender's stone on
// one of the attacker's squares of the win, so that it has to go round, and an attacker's stone
// in a quiet corner to keep the count of stones.
std::optional<TSearchPosition> Lengthened(const TSearchPosition& p,
                                          const std::vector<std::pair<int, int>>& line, int fours) {
    const auto [cx, cy] = QuietCorner(p);
    for (std::size_t i = 0; i + 1 < line.size() && cx >= 0; i += 2) {
        TSearchPosition q = p;
        q.Stones.push_back({line[i].first, line[i].second, Opponent(p.ToMove)});
        q.Stones.push_back({cx, cy, p.ToMove});
        std::vector<std::pair<int, int>> longer;
        if (FourWin(q, fours + 1, longer) == fours + 1) {
            return q;
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    const int perLength = argc > 1 ? std::atoi(argv[1]) : 4;
    const unsigned firstGame = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;
    const int fewest = argc > 3 ? std::atoi(argv[3]) : FewestFours;
    std::printf(
        "# Positions where the side to move wins by continuous fours, with the number of\n"
        "# fours of the win (none shorter was found); made by bench/search/MakeForcedWins.cpp\n"
        "# and checked move by move.\n"
        "# size fours side-to-move : black stones x,y : white stones x,y (from 0)\n");
    std::map<int, int> found; // wins kept, by their fours
    auto complete = [&] {
        for (int f = fewest; f <= MostFours; ++f) {
            if (found[f] < perLength) {
                return false;
            }
        }
        return true;
    };
    auto keep = [&](const TSearchPosition& p, int fours, unsigned game) {
        if (fours >= fewest && fours <= MostFours && found[fours] < perLength) {
            ++found[fours];
            std::printf("%s\n", Describe(p, fours).c_str());
            std::fflush(stdout);
            std::fprintf(stderr, "game %u: a win of %d fours\n", game, fours);
        }
    };
    for (unsigned game = firstGame; game < firstGame + 100000 && !complete(); ++game) {
        ResetGameState();
        Live = TLiveSettings{};
        Live.Randomness = 11;
        Live.ADFactor =
            game >= AttackFrom ? 8 + static_cast<int>(game % 9) : static_cast<int>(game % 17) - 8;
        NewBoard();
        SeedRandom(game);
        while (!IsGameOver()) {
            std::uint8_t x, y;
            ChooseMove(x, y);
            MakeMove(x, y);
            const TSearchPosition p = CurrentGame();
            if (IsGameOver() || p.Stones.size() < 12) {
                continue;
            }
            std::vector<std::pair<int, int>> line;
            const int fours = FourWin(p, fewest, line);
            keep(p, fours, game);
            if (fours == MostFours - 1 && found[MostFours] < perLength) {
                if (const auto longer = Lengthened(p, line, fours)) {
                    keep(*longer, MostFours, game);
                }
            }
        }
    }
    return 0;
}

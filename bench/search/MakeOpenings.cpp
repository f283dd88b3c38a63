// Finds balanced openings for tools/match.py: random openings of three to five stones near the
// centre, each searched by Rennor Emperor to a fixed depth, kept when the search finds neither
// side better; one of each under the board's turns and mirrors. Openings that black wins from most
// of the time hide a difference in strength: both players win their black games.
// Usage: make_openings SIZE COUNT [DEPTH [MARGIN [SEED]]] > openings file
// It prints each kept opening with its score as a comment, and every candidate's score on stderr.
#include "core/Random.h"
#include "search/Emperor.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

namespace {

constexpr int Reach = 3; // stones lie within this many squares of the centre
constexpr int FewestStones = 3;
constexpr int MostStones = 5;

using TStone = std::array<int, 3>; // dx, dy, colour
using TStoneList = std::vector<TStone>;

TStone Turned(const TStone& s, int symmetry) {
    int x = s[0], y = s[1];
    if (symmetry & 1) {
        x = -x;
    }
    if (symmetry & 2) {
        y = -y;
    }
    if (symmetry & 4) {
        std::swap(x, y);
    }
    return {x, y, s[2]};
}

// The same for every opening that a turn or a mirror of the board makes of this one.
TStoneList Canonical(const TStoneList& o) {
    TStoneList best;
    for (int symmetry = 0; symmetry < 8; ++symmetry) {
        TStoneList t;
        for (const TStone& s : o) {
            t.push_back(Turned(s, symmetry));
        }
        std::sort(t.begin(), t.end());
        if (best.empty() || t < best) {
            best = t;
        }
    }
    return best;
}

TStoneList RandomOpening() {
    const int stones = FewestStones + RandomDraw(MostStones - FewestStones + 1);
    TStoneList o{{0, 0, BlackStone}};
    while (static_cast<int>(o.size()) < stones) {
        const int x = RandomDraw(2 * Reach + 1) - Reach;
        const int y = RandomDraw(2 * Reach + 1) - Reach;
        const bool taken = std::any_of(o.begin(), o.end(),
                                       [&](const TStone& s) { return s[0] == x && s[1] == y; });
        if (!taken) {
            o.push_back({x, y, o.size() % 2 == 0 ? BlackStone : WhiteStone});
        }
    }
    return o;
}

// The search's score of the opening from black's side.
int BlackScore(TEmperor& emperor, const TStoneList& o, int size, int depth) {
    TSearchPosition p{size, {}, o.size() % 2 == 0 ? BlackStone : WhiteStone};
    for (const TStone& s : o) {
        p.Stones.push_back({size / 2 + s[0], size / 2 + s[1], static_cast<TStoneColor>(s[2])});
    }
    emperor.NewGame();
    const std::atomic<bool> never{false};
    const TSearchResult r =
        emperor.Think(p, TSearchLimits{std::chrono::seconds(30), depth, 1}, never);
    return p.ToMove == BlackStone ? r.Score : -r.Score;
}

void Print(const TStoneList& o, int score) {
    // Black's stones and white's in turn, as the openings file lists them.
    TStoneList black, white;
    for (const TStone& s : o) {
        (s[2] == BlackStone ? black : white).push_back(s);
    }
    for (std::size_t i = 0; i < o.size(); ++i) {
        const TStone& s = i % 2 == 0 ? black[i / 2] : white[i / 2];
        std::printf("%s%d,%d", i == 0 ? "" : " ", s[0], s[1]);
    }
    std::printf("  # %d\n", score);
    std::fflush(stdout); // a long run shows what it has kept so far
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SIZE COUNT [DEPTH [MARGIN [SEED]]]\n", argv[0]);
        return 2;
    }
    const int size = std::clamp(std::atoi(argv[1]), MinSearchSize, MaxSearchSize);
    const int count = std::atoi(argv[2]);
    const int depth = argc > 3 ? std::atoi(argv[3]) : 6;
    const int margin = argc > 4 ? std::atoi(argv[4]) : 150;
    SeedRandom(argc > 5 ? std::strtoull(argv[5], nullptr, 10) : 1);
    TEmperor emperor;
    std::set<TStoneList> seen;
    int kept = 0;
    for (int tries = 0; kept < count && tries < 100 * count; ++tries) {
        const TStoneList o = Canonical(RandomOpening());
        if (!seen.insert(o).second) {
            continue;
        }
        const int score = BlackScore(emperor, o, size, depth);
        std::fprintf(stderr, "%d\n", score);
        if (std::abs(score) <= margin) {
            Print(o, score);
            ++kept;
        }
    }
    return kept == count ? 0 : 1;
}

// Rennor Emperor's costs: positions searched a second (in a given time and to a fixed depth), the
// depth reached in 100 ms at moves 10, 30 and 60, the time to find the win in each position of the
// forced-win set, and the positions it takes to prove a win by threats.
#include "ForcedWins.h"
#include "search/ThreatSearch.h"

#include "core/LiveSettings.h"
#include "core/Random.h"
#include "core/Rules.h"
#include "engine/Choice.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <ctime>

namespace {

// The position after `moves` moves of a game of Rennor King against itself (randomness 6, a fixed
// seed): always the same, and at moves 10, 30 and 60 not yet decided by threats, so that the whole
// search runs.
TSearchPosition KingGame(int moves) {
    ResetGameState();
    Live = TLiveSettings{};
    Live.Randomness = 6;
    NewBoard();
    SeedRandom(15);
    TSearchPosition p;
    for (int i = 0; i < moves; ++i) {
        std::uint8_t x, y;
        ChooseMove(x, y);
        p.Stones.push_back({x - 1, y - 1, Game.ColorToMove});
        MakeMove(x, y);
    }
    p.ToMove = Game.ColorToMove;
    return p;
}

// Every search starts from an empty table, as a first move would; clearing it is not timed.
TSearchResult Search(benchmark::State& state, TEmperor& emperor, const TSearchPosition& p, int ms) {
    const std::atomic<bool> never{false};
    state.PauseTiming();
    emperor.NewGame();
    state.ResumeTiming();
    return emperor.Think(p, TSearchLimits{std::chrono::milliseconds(ms)}, never);
}

void BM_PositionsPerSecond(benchmark::State& state) {
    const TSearchPosition p = KingGame(30);
    TEmperor emperor;
    double nodes = 0;
    double processor = 0; // seconds of the processor's time, which a busy machine shares out
    for (auto _ : state) {
        const std::clock_t start = std::clock();
        nodes += static_cast<double>(Search(state, emperor, p, 500).Nodes);
        processor += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    }
    state.counters["positions_per_s"] = benchmark::Counter(nodes, benchmark::Counter::kIsRate);
    state.counters["per_processor_s"] = nodes / processor;
}
BENCHMARK(BM_PositionsPerSecond)->Unit(benchmark::kMillisecond)->Iterations(4)->UseRealTime();

// The same search to a fixed depth, so that two builds do the same work: their processor times,
// and so positions a second, compare even on a busy machine. The second argument is the rule.
void BM_FixedDepth(benchmark::State& state) {
    TSearchPosition p = KingGame(static_cast<int>(state.range(0)));
    p.Rule = static_cast<TRule>(state.range(1));
    TEmperor emperor;
    const std::atomic<bool> never{false};
    double nodes = 0;
    for (auto _ : state) {
        emperor.NewGame();
        nodes += static_cast<double>(
            emperor.Think(p, TSearchLimits{std::chrono::minutes(10), 7, 1}, never).Nodes);
    }
    state.counters["nodes"] = benchmark::Counter(nodes, benchmark::Counter::kAvgIterations);
    state.counters["per_processor_s"] = benchmark::Counter(nodes, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FixedDepth)
    ->Args({10, static_cast<int>(TRule::Freestyle)})
    ->Args({10, static_cast<int>(TRule::Standard)})
    ->Args({10, static_cast<int>(TRule::Renju)})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Also how far past its 100 ms the answer came, at the worst.
void BM_DepthIn100ms(benchmark::State& state) {
    const TSearchPosition p = KingGame(static_cast<int>(state.range(0)));
    TEmperor emperor;
    const std::atomic<bool> never{false};
    double depth = 0;
    double overshoot = 0;
    for (auto _ : state) {
        emperor.NewGame();
        const auto start = std::chrono::steady_clock::now();
        depth += emperor.Think(p, TSearchLimits{std::chrono::milliseconds(100)}, never).Depth;
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        overshoot = std::max(overshoot, took.count() - 100);
    }
    state.counters["depth"] = benchmark::Counter(depth, benchmark::Counter::kAvgIterations);
    state.counters["overshoot_ms"] = overshoot;
}
BENCHMARK(BM_DepthIn100ms)
    ->Arg(10)
    ->Arg(30)
    ->Arg(60)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();

const std::vector<TForcedWin>& Wins() {
    static const std::vector<TForcedWin> wins = ReadForcedWins(RENNOR_FORCED_WINS);
    return wins;
}

void BM_FindForcedWin(benchmark::State& state) {
    const TForcedWin& win = Wins().at(static_cast<std::size_t>(state.range(0)));
    TEmperor emperor;
    for (auto _ : state) {
        if (!Search(state, emperor, win.Position, 10000).ForcedWin()) {
            state.SkipWithError("no win found");
            break;
        }
    }
    state.counters["fours"] = win.Fours;
}
BENCHMARK(BM_FindForcedWin)
    ->DenseRange(0, static_cast<int>(Wins().size()) - 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A win by two threats against a defender with many fours to play in any order: the positions
// the threat search looks at to prove it from a fresh start.
void BM_ProveThreatWin(benchmark::State& state) {
    const TSearchPosition p = TwoThreatsAgainstFours();
    const std::atomic<bool> never{false};
    double nodes = 0;
    for (auto _ : state) {
        TSearchBoard board = BoardOf(p);
        TSearchClock clock(TSearchClock::TClock::now() + std::chrono::minutes(10), never);
        TThreatSearch search(board, clock);
        if (!search.Vct(2, std::uint64_t{1} << 24)) {
            state.SkipWithError("no win found");
            break;
        }
        nodes += static_cast<double>(search.Nodes());
    }
    state.counters["positions"] = benchmark::Counter(nodes, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ProveThreatWin)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();

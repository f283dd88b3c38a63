// Costs of the rules and the computer player: a move, a rebuild, a choice, a whole game.
#include "CorePositions.h"

#include "core/LiveSettings.h"
#include "core/Random.h"
#include "engine/Choice.h"

#include <benchmark/benchmark.h>
#include <cstring>

namespace {

void BM_ChooseMove(benchmark::State& state) {
    QuietGame(static_cast<int>(state.range(0)));
    Live.Randomness = 11;
    for (auto _ : state) {
        std::uint8_t x, y;
        ChooseMove(x, y);
        benchmark::DoNotOptimize(x + y);
    }
}
BENCHMARK(BM_ChooseMove)->Arg(0)->Arg(60)->Arg(200);

void BM_BestSquare(benchmark::State& state) {
    QuietGame(60);
    for (auto _ : state) {
        std::uint8_t x, y;
        BestSquare(x, y);
        benchmark::DoNotOptimize(x + y);
    }
}
BENCHMARK(BM_BestSquare);

// Plays the 200 moves of a quiet game again and again; the state is restored by one copy,
// which costs a few nanoseconds a move.
void BM_MakeMove(benchmark::State& state) {
    const auto squares = QuietGame(200);
    ResetGameState();
    NewBoard();
    static TGameState start;
    std::memcpy(&start, &Game, sizeof Game);
    for (auto _ : state) {
        std::memcpy(&Game, &start, sizeof Game);
        for (auto [x, y] : squares) {
            MakeMove(x, y);
        }
        benchmark::DoNotOptimize(Game.MoveCount);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(squares.size()));
    state.counters["ns_per_move"] =
        benchmark::Counter(static_cast<double>(state.iterations() * squares.size()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MakeMove);

void BM_RebuildPosition200(benchmark::State& state) {
    QuietGame(200);
    for (auto _ : state) {
        RebuildPosition(200);
        benchmark::DoNotOptimize(Game.MoveCount);
    }
}
BENCHMARK(BM_RebuildPosition200);

// A whole game of the computer against itself with randomness "0": the same game every time.
void BM_SelfPlayGame(benchmark::State& state) {
    ResetGameState();
    Live.Randomness = 1;
    int moves = 0;
    for (auto _ : state) {
        NewBoard();
        SeedRandom(1);
        while (!IsGameOver()) {
            ComputerMove();
        }
        moves = Game.MoveCount;
    }
    state.counters["moves"] = moves;
}
BENCHMARK(BM_SelfPlayGame);

} // namespace

BENCHMARK_MAIN();

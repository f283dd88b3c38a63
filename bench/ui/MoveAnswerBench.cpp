// From the mouse press on the board to the computer's stone painted, in the running main window.
#include "core/Rules.h"
#include "game/GameFlow.h"
#include "game/ScriptedPorts.h"
#include "ui/MainForm.h"
#include "ui/OptionsForm.h"
#include "widgets/RxDrawGrid.h"

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <random>
#include <time.h>
#include <vector>

namespace {

constexpr int Moves = 100;

// Processor time of the calling thread: what the work costs, without time lost to preemption.
double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// A free square for the human, drawn at random.
QPoint FreeSquare(std::mt19937& random) {
    std::uniform_int_distribution<int> pick(1, BoardSize);
    for (;;) {
        const int X = pick(random), Y = pick(random);
        if (Game.Board[X][Y] == NoStone) {
            return {X, Y};
        }
    }
}

void BM_PressToAnswerPainted(benchmark::State& state) {
    TMainForm form;
    TOptionsForm options(form.Key(), &form);
    form.SetOptionsForm(&options);
    TScriptedPorts ports; // game reports answered at once
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        state.SkipWithError("the main window was not shown");
        return;
    }
    TRxDrawGrid& grid = *form.CellGrid;
    std::mt19937 random(12345);

    for (auto _ : state) {
        std::vector<double> ms, cpu;
        while (static_cast<int>(ms.size()) < Moves) {
            if (IsGameOver()) {
                NewGame1Click(false);
            }
            const QPoint square = FreeSquare(random);
            const QPoint at =
                grid.ClientOrigin() + grid.CellRect(square.x() - 1, square.y() - 1).center();
            const int before = Game.MoveCount;
            const double cpuStart = ThreadCpuMs();
            const auto start = std::chrono::steady_clock::now();
            QTest::mousePress(&grid, Qt::LeftButton, Qt::NoModifier, at);
            const auto end = std::chrono::steady_clock::now();
            const double cpuEnd = ThreadCpuMs();
            QTest::mouseRelease(&grid, Qt::LeftButton, Qt::NoModifier, at);
            if (Game.MoveCount == before + 2) { // the computer answered
                ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
                cpu.push_back(cpuEnd - cpuStart);
            }
            QApplication::processEvents();
        }
        state.counters["median_ms"] = Median(ms);
        state.counters["worst_ms"] = *std::max_element(ms.begin(), ms.end());
        state.counters["median_cpu_ms"] = Median(cpu);
        state.counters["worst_cpu_ms"] = *std::max_element(cpu.begin(), cpu.end());
        state.counters["moves"] = Moves;
    }
}
BENCHMARK(BM_PressToAnswerPainted)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

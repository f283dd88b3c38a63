// Auto play and replay in the running main window, from the command to the game-over report, and
// what a slow auto-play game costs the processor while it waits between its steps.
#include "core/LiveSettings.h"
#include "core/Rules.h"
#include "game/PlayRecord.h"
#include "game/Ports.h"
#include "ui/MainForm.h"
#include "ui/OptionsForm.h"

#include <QAction>
#include <QApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

// Answers every question with Yes and notes when the report would open.
class TTimingPorts final : public TPorts {
public:
    Clock::time_point ReportAt;
    int Reports = 0;
    bool Confirm(const QString&) override { return true; }
    void ShowError(const QString&) override {}
    bool ConfirmExit() override { return true; }
    void ShowGameReport() override {
        ReportAt = Clock::now();
        ++Reports;
    }
    std::optional<QString> AskSaveFileName(const TFileDialogSpec&) override { return {}; }
    std::optional<QString> AskOpenFileName(const TFileDialogSpec&) override { return {}; }
    std::optional<TColorValue> PickColor(TColorValue) override { return {}; }
};

// The main window and the options dialog as the program opens them.
struct TRunningWindow {
    TMainForm Main;
    TOptionsForm Options{Main.Key(), &Main};
    TTimingPorts Ports;
    TRunningWindow() {
        Main.SetOptionsForm(&Options);
        Main.show();
        QApplication::processEvents();
        InstallPorts(&Ports);
    }
    ~TRunningWindow() { InstallPorts(nullptr); }
    // Seconds from the command to the report it ends with.
    double Run(QAction* command) {
        const int before = Ports.Reports;
        const Clock::time_point start = Clock::now();
        command->trigger();
        if (Ports.Reports == before) {
            return -1;
        }
        return std::chrono::duration<double>(Ports.ReportAt - start).count();
    }
};

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

void Report(benchmark::State& state, double seconds) {
    if (seconds < 0) {
        state.SkipWithError("the command ended without a report");
        return;
    }
    state.SetIterationTime(seconds);
    state.counters["moves"] = Game.MoveCount;
}

void AutoPlayGameAtFullSpeed(benchmark::State& state) {
    TRunningWindow window;
    Live.AutoPlaySpeed = 9;
    for (auto _ : state) {
        Report(state, window.Run(window.Main.Menu.AutoPlay1));
    }
}
BENCHMARK(AutoPlayGameAtFullSpeed)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(20)
    ->ReportAggregatesOnly()
    ->Unit(benchmark::kMillisecond);

void ReplayAtFullSpeed(benchmark::State& state) {
    TRunningWindow window;
    Live.AutoPlaySpeed = 9;
    Live.ReplaySpeed = 9;
    window.Run(window.Main.Menu.AutoPlay1);
    for (auto _ : state) {
        Report(state, window.Run(window.Main.Menu.Replay1));
    }
}
BENCHMARK(ReplayAtFullSpeed)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(20)
    ->ReportAggregatesOnly()
    ->Unit(benchmark::kMillisecond);

// The pauses wait on the event loop: the processor time of the whole program stays a small part
// of the wall time.
void AutoPlayGameAtSlowestSpeedCpuAgainstWall(benchmark::State& state) {
    TRunningWindow window;
    Live.AutoPlaySpeed = 0;
    for (auto _ : state) {
        const double cpuBefore = ProcessCpuSeconds();
        const double wall = window.Run(window.Main.Menu.AutoPlay1);
        const double cpu = ProcessCpuSeconds() - cpuBefore;
        Report(state, wall);
        state.counters["wall_s"] = wall;
        state.counters["process_cpu_s"] = cpu;
        state.counters["cpu_per_wall"] = wall > 0 ? cpu / wall : 0;
    }
}
BENCHMARK(AutoPlayGameAtSlowestSpeedCpuAgainstWall)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

// How close to due time TSuperTimer ticks arrive, and what its worker costs in processor time.
#include "timing/SuperTimer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Ticks = 300;

double Ms(Clock::duration D) {
    return std::chrono::duration<double, std::milli>(D).count();
}

// Lateness of the tick as the handler sees it on the user-interface thread, and of the
// worker's own clock reading, both against the tick's due time.
struct TLateness {
    std::vector<double> Handler;
    std::vector<double> Worker;
};

double Quantile(std::vector<double> Values, double Q) {
    std::sort(Values.begin(), Values.end());
    const auto Index = static_cast<std::size_t>(Q * static_cast<double>(Values.size() - 1));
    return Values[Index];
}

void BM_SuperTimerLateness(benchmark::State& State) {
    const auto Interval = static_cast<std::uint16_t>(State.range(0));
    const auto Period = std::chrono::milliseconds(Interval);
    for (auto _ : State) {
        TSuperTimer Timer;
        TLateness Late;
        QEventLoop Loop;
        Clock::time_point Due;
        Timer.SetInterval(Interval);
        Timer.SetOnTimer([&](QObject*) {
            const Clock::time_point Now = Clock::now();
            Late.Handler.push_back(Ms(Now - Due));
            Late.Worker.push_back(Ms(Timer.TickTime() - Due));
            Due = Timer.TickTime() + Period;
            if (static_cast<int>(Late.Handler.size()) == Ticks) {
                Timer.SetEnabled(false);
                Loop.quit();
            }
        });
        const Clock::time_point Start = Clock::now();
        Due = Start + Period; // a hair before the timer's own start: errs on the late side
        Timer.SetEnabled(true);
        const auto CpuBefore = Timer.WorkerCpuTime();
        Loop.exec();
        const Clock::duration Wall = Clock::now() - Start;
        const auto Cpu = Timer.WorkerCpuTime() - CpuBefore;

        State.SetIterationTime(std::chrono::duration<double>(Wall).count());
        State.counters["late_median_ms"] = Quantile(Late.Handler, 0.5);
        State.counters["late_p99_ms"] = Quantile(Late.Handler, 0.99);
        State.counters["late_worst_ms"] =
            *std::max_element(Late.Handler.begin(), Late.Handler.end());
        State.counters["worker_late_median_ms"] = Quantile(Late.Worker, 0.5);
        State.counters["worker_late_p99_ms"] = Quantile(Late.Worker, 0.99);
        State.counters["worker_cpu_pct"] =
            100.0 * static_cast<double>(Cpu.count()) /
            static_cast<double>(std::chrono::nanoseconds(Wall).count());
    }
}

} // namespace

BENCHMARK(BM_SuperTimerLateness)
    ->Arg(100)
    ->Arg(30)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication App(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}

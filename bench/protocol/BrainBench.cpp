// How soon rennor-brain answers when the manager leaves it 10 ms of the match: the first answer
// of a session (BEGIN), its first search (the first TURN) and the searches after it, each in a
// fresh process talked to through real pipes; and how much of a turn time its answers use.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using TClock = std::chrono::steady_clock;

// A brain process on two pipes; it is ended, and waited for, with this object.
class TBrainProcess {
public:
    TBrainProcess() {
        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0) {
            throw std::runtime_error("no pipes");
        }
        Pid = fork();
        if (Pid == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            for (int fd : {in[0], in[1], out[0], out[1]}) {
                close(fd);
            }
            execl(RENNOR_BRAIN, RENNOR_BRAIN, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        To = in[1];
        From = out[0];
    }
    ~TBrainProcess() {
        Send("END");
        close(To);
        close(From);
        int status = 0;
        if (waitpid(Pid, &status, WNOHANG) == 0) {
            usleep(200000);
            if (waitpid(Pid, &status, WNOHANG) == 0) {
                kill(Pid, SIGKILL);
                waitpid(Pid, &status, 0);
            }
        }
    }
    TBrainProcess(const TBrainProcess&) = delete;
    TBrainProcess& operator=(const TBrainProcess&) = delete;

    void Send(const std::string& line) {
        const std::string text = line + "\r\n";
        if (write(To, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
            throw std::runtime_error("the brain is gone");
        }
    }
    // The next line the brain prints, of at most a few hundred characters.
    std::string Answer() {
        std::string line;
        char c = 0;
        while (line.size() < 512 && read(From, &c, 1) == 1 && c != '\n') {
            line += c;
        }
        return line;
    }
    // Milliseconds from sending the line until its answer has come.
    double Timed(const std::string& line) {
        const auto start = TClock::now();
        Send(line);
        Answer();
        return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
    }

private:
    pid_t Pid = -1;
    int To = -1;
    int From = -1;
};

// Each iteration is a session: START, 10 ms left of a match, BEGIN, then TURNs along the edge.
// The time is that of the first two answers; the counters are the mean and the worst of each.
void BM_FirstAnswers(benchmark::State& state) {
    double begin = 0, first = 0, later = 0, worstFirst = 0, worstBegin = 0;
    constexpr int LaterTurns = 4;
    for (auto _ : state) {
        TBrainProcess brain;
        for (const char* line : {"START 15", "INFO timeout_match 100000", "INFO time_left 10"}) {
            brain.Send(line);
        }
        brain.Answer(); // OK
        const double b = brain.Timed("BEGIN");
        const double f = brain.Timed("TURN 0,0");
        for (int i = 1; i <= LaterTurns; ++i) {
            later += brain.Timed("TURN " + std::to_string(i) + ",0");
        }
        begin += b;
        first += f;
        worstBegin = std::max(worstBegin, b);
        worstFirst = std::max(worstFirst, f);
        state.SetIterationTime((b + f) / 1000); // the two first answers; the rest is untimed
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["begin_ms"] = begin / runs;
    state.counters["begin_worst_ms"] = worstBegin;
    state.counters["first_turn_ms"] = first / runs;
    state.counters["first_turn_worst_ms"] = worstFirst;
    state.counters["later_turn_ms"] = later / (runs * LaterTurns);
}
BENCHMARK(BM_FirstAnswers)->Unit(benchmark::kMillisecond)->Iterations(20)->UseManualTime();

// How much of a turn time of range(0) ms the answers use, and how close to it the latest comes:
// a session on 15x15 asked for a move in a quiet opening, each iteration one answer. The
// margin the brain keeps is right when late_worst_ms stays below 0 and share_mean near 1.
void BM_TurnTime(benchmark::State& state) {
    const auto turn = static_cast<double>(state.range(0));
    TBrainProcess brain;
    brain.Send("START 15");
    brain.Send("INFO timeout_turn " + std::to_string(state.range(0)));
    brain.Send("INFO timeout_match 0");
    brain.Answer(); // OK
    double share = 0, late = -turn, early = 0;
    for (auto _ : state) {
        for (const char* line : {"BOARD", "7,7,1", "8,8,2", "8,6,1", "6,8,2"}) {
            brain.Send(line);
        }
        const double took = brain.Timed("DONE");
        state.SetIterationTime(took / 1000);
        share += took / turn;
        late = std::max(late, took - turn);
        early = std::max(early, turn - took);
    }
    state.counters["share_mean"] = share / static_cast<double>(state.iterations());
    state.counters["late_worst_ms"] = late;
    state.counters["early_worst_ms"] = early;
}
BENCHMARK(BM_TurnTime)
    ->Arg(50)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->UseManualTime();
BENCHMARK(BM_TurnTime)->Name("BM_TurnTime60s")->Arg(60000)->Iterations(2)->UseManualTime();

} // namespace

BENCHMARK_MAIN();

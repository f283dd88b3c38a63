// Measures the real program (or the floor window) under an X server: start-up until its main
// window maps, memory 3 s later, idle processor use (its own and the X server's) and repaints over
// 10 s that hold a scroll of the comment panel, click-to-answer latency on the board, and one
// auto-play game; or, with --thinking, how a slow player's wait and answer leave the processor.
// Prints one "name=value" line per figure. Usage: rennor-probe <program> [clicks, 1 to 4] [--floor
// | --thinking]   (DISPLAY must name a server without a window manager; RENNOR_XSERVER_PID, if set,
// names the server)
#include "XProbe.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

constexpr unsigned BoardGrey = 0x808080;
constexpr int BoardCells = 19;

double Ms(TClock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

pid_t Launch(const char* program) {
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid < 0) {
        throw std::runtime_error("cannot start the program");
    }
    return pid;
}

bool Alive(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == 0;
}

long ResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    throw std::runtime_error("no resident size for the program");
}

// Processor time of one thread, in milliseconds, from the scheduler's nanosecond count: the
// clock ticks of /proc/PID/stat are 10 ms, too coarse for an idle budget of 20 ms.
double ThreadCpuMs(const std::filesystem::path& task) {
    std::ifstream schedstat(task / "schedstat");
    double ns = 0;
    schedstat >> ns;
    return ns / 1e6;
}

// Processor time of each thread of the process, by thread id, with the thread's name.
std::map<std::string, std::pair<std::string, double>> ThreadCpu(pid_t pid) {
    std::map<std::string, std::pair<std::string, double>> threads;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task/";
    for (const auto& entry : std::filesystem::directory_iterator(tasks)) {
        std::ifstream comm(entry.path() / "comm");
        std::string name;
        std::getline(comm, name);
        threads[entry.path().filename()] = {name, ThreadCpuMs(entry.path())};
    }
    return threads;
}

// Processor time of the whole process, threads that ended excepted; 0 without a process.
double CpuMs(pid_t pid) {
    if (pid <= 0) {
        return 0;
    }
    double ms = 0;
    for (const auto& [tid, thread] : ThreadCpu(pid)) {
        ms += thread.second;
    }
    return ms;
}

// The board: the bounding box of the board-grey pixels in the left part of the window.
TRect FindBoard(TXProbe& x, Window window) {
    int width = 0, height = 0;
    const auto pixels = x.Pixels(window, width, height);
    int left = width, top = height, right = -1, bottom = -1;
    for (int py = 0; py < std::min(height, 480); ++py) {
        for (int px = 0; px < std::min(width, 390); ++px) {
            if (pixels[static_cast<size_t>(py) * width + px] == BoardGrey) {
                left = std::min(left, px), right = std::max(right, px);
                top = std::min(top, py), bottom = std::max(bottom, py);
            }
        }
    }
    if (right < left + 300 || bottom < top + 300) {
        throw std::runtime_error("no board found in the main window");
    }
    // The board is square; below it the status bar is board-grey too.
    const int side = right - left + 1;
    return {left, top, side, std::min(side, bottom - top + 1)};
}

void PrintRepaints(const char* prefix, const std::vector<TDamage>& damages) {
    std::map<std::string, int> counts;
    for (const TDamage& d : damages) {
        const TRect& a = d.Area;
        ++counts[std::to_string(a.Width) + "x" + std::to_string(a.Height) + "+" +
                 std::to_string(a.X) + "+" + std::to_string(a.Y)];
    }
    std::printf("%s=%zu\n%s_areas=", prefix, damages.size(), prefix);
    for (const auto& [area, count] : counts) {
        std::printf("%s*%d ", area.c_str(), count);
    }
    std::printf("\n");
}

// Clicks empty squares far apart and times each until the last repaint of the board, which is
// the computer's answer being drawn.
// The press's first repaint of the board (the human's stone) goes into firstPaints.
std::vector<double> ClickLatencies(TXProbe& x, Window window, const TRect& board, int clicks,
                                   std::vector<double>& firstPaints) {
    const double cell = static_cast<double>(board.Width) / BoardCells;
    const int squares[][2] = {{3, 3},  {17, 17}, {17, 3},  {3, 17}, {10, 3},
                              {3, 10}, {17, 10}, {10, 17}, {6, 14}, {14, 6}};
    std::vector<double> latencies;
    for (const auto& square : squares) {
        if (static_cast<int>(latencies.size()) >= clicks) {
            break;
        }
        const int px = board.X + static_cast<int>((square[0] - 0.5) * cell);
        const int py = board.Y + static_cast<int>((square[1] - 0.5) * cell);
        int width = 0, height = 0;
        if (x.Pixels(window, width, height)[static_cast<size_t>(py) * width + px] != BoardGrey) {
            continue; // taken by an earlier answer
        }
        x.MoveTo(window, px, py);
        x.PumpUntil(TClock::now() + 150ms);
        x.Damages().clear();
        const TClock::time_point pressed = TClock::now();
        x.Button(true);
        x.PumpUntil(pressed + 400ms);
        x.Button(false);
        TClock::time_point first = TClock::time_point::max(), answered{};
        for (const TDamage& d : x.Damages()) {
            if (d.Area.Meets(board)) {
                first = std::min(first, d.At);
                answered = std::max(answered, d.At);
            }
        }
        if (answered == TClock::time_point{}) {
            throw std::runtime_error("a click on the board was not answered");
        }
        latencies.push_back(Ms(answered - pressed));
        firstPaints.push_back(Ms(first - pressed));
        x.PumpUntil(TClock::now() + 200ms);
    }
    return latencies;
}

// Auto Play from the running game: asked "Do You Wish To Cancel...", answered Yes, timed until
// the game-over report maps; the report is closed again.
double AutoPlayGame(TXProbe& x, Window window) {
    x.Focus(window);
    x.Key("a");
    const Window confirm = x.WaitMapped("Confirm", 0, 10s);
    if (confirm == None) {
        throw std::runtime_error("Auto Play did not ask to cancel the running game");
    }
    x.Focus(confirm);
    const TClock::time_point start = TClock::now();
    x.Key("y");
    TClock::time_point over{};
    const Window report = x.WaitMapped("Game Over:", 0, 300s, &over);
    if (report == None) {
        throw std::runtime_error("the auto-play game did not end with its report");
    }
    x.Focus(report);
    x.Key("Escape");
    return Ms(over - start);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// The X server's process, named by bench/report, so that its share of the idle work counts.
pid_t XServer() {
    const char* pid = std::getenv("RENNOR_XSERVER_PID");
    return pid ? static_cast<pid_t>(std::atoi(pid)) : 0;
}

// Processor time of the program, by thread, and of the X server over 10 s of waiting for the
// human, with what was repainted meanwhile.
void MeasureIdle(TXProbe& x, pid_t pid) {
    x.Damages().clear();
    const auto before = ThreadCpu(pid);
    const double server = CpuMs(XServer());
    x.PumpUntil(TClock::now() + 10s);
    std::printf("idle_xserver_ms=%.1f\nidle_cpu_threads=", CpuMs(XServer()) - server);
    double total = 0;
    for (const auto& [tid, thread] : ThreadCpu(pid)) {
        const auto was = before.find(tid);
        const double spent = thread.second - (was == before.end() ? 0 : was->second.second);
        total += spent;
        if (spent >= 0.05) {
            std::printf("%s/%s:%.1fms ", thread.first.c_str(), tid.c_str(), spent);
        }
    }
    std::printf("\nidle_cpu_ms=%.1f\n", total);
    PrintRepaints("idle_repaints", x.Damages());
}

// One click for a player that thinks a while: the user-interface thread's processor time while
// it waits for the answer (nothing may spin), and the whole program's in the second that starts
// 50 ms after the answer is drawn (it must be idle again by then).
void MeasureThinking(TXProbe& x, Window window, const TRect& board, pid_t pid) {
    const double cell = static_cast<double>(board.Width) / BoardCells;
    const TRect human{board.X + static_cast<int>(9 * cell), board.Y + static_cast<int>(9 * cell),
                      static_cast<int>(cell), static_cast<int>(cell)};
    x.MoveTo(window, human.X + human.Width / 2, human.Y + human.Height / 2);
    x.PumpUntil(TClock::now() + 150ms);
    // The answer is the first repaint after which a square other than the click's holds a
    // stone: the focus frame moving away from another square repaints that square too.
    const auto centres = [&] {
        int width = 0, height = 0;
        const auto pixels = x.Pixels(window, width, height);
        std::vector<unsigned> taken;
        for (int col = 0; col < BoardCells; ++col) {
            for (int row = 0; row < BoardCells; ++row) {
                const int px = board.X + static_cast<int>((col + 0.5) * cell);
                const int py = board.Y + static_cast<int>((row + 0.5) * cell);
                taken.push_back(!human.Contains(px, py) &&
                                pixels[static_cast<size_t>(py) * width + px] != BoardGrey);
            }
        }
        return taken;
    };
    const std::vector<unsigned> before = centres();
    x.Damages().clear();
    const std::string ui = std::to_string(pid);
    const double uiBefore = ThreadCpuMs("/proc/" + ui + "/task/" + ui);
    const TClock::time_point pressed = TClock::now();
    x.Button(true);
    x.Button(false);
    TClock::time_point answered{};
    std::size_t seen = 0;
    while (answered == TClock::time_point{} && TClock::now() < pressed + 120s) {
        x.PumpUntil(TClock::now() + 5ms);
        for (; seen < x.Damages().size(); ++seen) {
            const TDamage& d = x.Damages()[seen];
            if (d.Area.Meets(board) && !d.Area.Meets(human) && centres() != before) {
                answered = d.At;
                break;
            }
        }
    }
    if (answered == TClock::time_point{}) {
        throw std::runtime_error("the computer did not answer the click");
    }
    const double uiThinking = ThreadCpuMs("/proc/" + ui + "/task/" + ui) - uiBefore;
    x.PumpUntil(answered + 50ms);
    const double after = CpuMs(pid);
    x.PumpUntil(answered + 1050ms);
    std::printf("think_ms=%.0f\nthink_ui_cpu_ms=%.1f\nafter_answer_cpu_ms=%.1f\n",
                Ms(answered - pressed), uiThinking, CpuMs(pid) - after);
}

enum class TMode { Program, Floor, Thinking };

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <program> [clicks] [--floor | --thinking]\n", argv[0]);
        return 2;
    }
    // Four answers leave the computer four stones: the game cannot end before the auto play.
    const int clicks = std::clamp(argc > 2 ? std::atoi(argv[2]) : 4, 1, 4);
    const std::string flag = argc > 3 ? argv[3] : "";
    const TMode mode = flag == "--floor"      ? TMode::Floor
                       : flag == "--thinking" ? TMode::Thinking
                                              : TMode::Program;
    pid_t pid = -1;
    try {
        TXProbe x;
        const TClock::time_point started = TClock::now();
        pid = Launch(argv[1]);
        TClock::time_point mapped{};
        const Window window = x.WaitMapped("Rennor", 500, 30s, &mapped);
        if (window == None || !Alive(pid)) {
            throw std::runtime_error("the main window did not map");
        }
        std::printf("startup_ms=%.1f\n", Ms(mapped - started));
        x.WatchDamage(window);

        x.PumpUntil(mapped + 3s);
        std::printf("rss_mb=%.1f\n", ResidentKb(pid) / 1024.0);
        const TRect board = FindBoard(x, window);
        if (mode == TMode::Thinking) {
            MeasureThinking(x, window, board, pid);
        } else {
            // From 15 to 25 s: the comment panel starts scrolling 20 s after start-up.
            x.PumpUntil(mapped + 15s);
            MeasureIdle(x, pid);
            std::vector<double> firstPaints;
            const std::vector<double> latencies =
                ClickLatencies(x, window, board, clicks, firstPaints);
            std::printf("click_first_paint_ms=%.2f\n", Median(firstPaints));
            std::printf("click_ms=%.2f\nclick_all_ms=", Median(latencies));
            for (double l : latencies) {
                std::printf("%.2f ", l);
            }
            std::printf("\n");
        }
        if (mode == TMode::Program) {
            std::printf("autoplay_ms=%.0f\n", AutoPlayGame(x, window));
        }
        if (!Alive(pid)) {
            throw std::runtime_error("the program ended during the measurements");
        }
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "rennor-probe: %s\n", e.what());
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        return 1;
    }
}

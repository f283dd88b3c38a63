// Measures the real program under an X server: start-up until its main window maps, memory
// 3 s later, idle processor use and repaints over 10 s, click-to-answer latency on the board, and
// one auto-play game. Prints one "name=value" line per figure.
// Usage: rennor-probe <program> [clicks, 1 to 4]   (DISPLAY must name a server without a window
// manager)
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

// User plus system time of every thread of the process, in clock ticks.
long CpuTicks(pid_t pid, const std::string& thread = {}) {
    const std::string process = "/proc/" + std::to_string(pid);
    std::ifstream stat(thread.empty() ? process + "/stat" : process + "/task/" + thread + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    // After the name: state is field 3; utime and stime are fields 14 and 15.
    for (int n = 3; n <= 15 && fields >> field; ++n) {
        if (n == 14) {
            utime = std::stol(field);
        } else if (n == 15) {
            stime = std::stol(field);
        }
    }
    return utime + stime;
}

// User plus system ticks of each thread, by thread id, with the thread's name.
std::map<std::string, std::pair<std::string, long>> ThreadTicks(pid_t pid) {
    std::map<std::string, std::pair<std::string, long>> threads;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task/";
    for (const auto& entry : std::filesystem::directory_iterator(tasks)) {
        const std::string tid = entry.path().filename();
        std::ifstream comm(entry.path() / "comm");
        std::string name;
        std::getline(comm, name);
        threads[tid] = {name, CpuTicks(pid, tid)};
    }
    return threads;
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

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <program> [clicks]\n", argv[0]);
        return 2;
    }
    // Four answers leave the computer four stones: the game cannot end before the auto play.
    const int clicks = std::clamp(argc > 2 ? std::atoi(argv[2]) : 4, 1, 4);
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

        x.Damages().clear();
        const long ticks = CpuTicks(pid);
        const auto threadsBefore = ThreadTicks(pid);
        const TClock::time_point from = TClock::now();
        x.PumpUntil(from + 10s);
        const double seconds = std::chrono::duration<double>(TClock::now() - from).count();
        const double cpu = (CpuTicks(pid) - ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
        std::printf("idle_cpu_pct=%.2f\nidle_cpu_threads=", 100.0 * cpu / seconds);
        for (const auto& [tid, thread] : ThreadTicks(pid)) {
            const auto before = threadsBefore.find(tid);
            const long spent =
                thread.second - (before == threadsBefore.end() ? 0 : before->second.second);
            if (spent > 0) {
                std::printf("%s/%s:%.2f%% ", thread.first.c_str(), tid.c_str(),
                            100.0 * spent / sysconf(_SC_CLK_TCK) / seconds);
            }
        }
        std::printf("\n");
        PrintRepaints("idle_repaints", x.Damages());

        const TRect board = FindBoard(x, window);
        std::vector<double> firstPaints;
        const std::vector<double> latencies = ClickLatencies(x, window, board, clicks, firstPaints);
        std::printf("click_first_paint_ms=%.2f\n", Median(firstPaints));
        std::printf("click_ms=%.2f\nclick_all_ms=", Median(latencies));
        for (double l : latencies) {
            std::printf("%.2f ", l);
        }
        std::printf("\nautoplay_ms=%.0f\n", AutoPlayGame(x, window));
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

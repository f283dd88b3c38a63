// The real rennor-brain through real pipes: whole sessions with every kind of bad input,
// Rennor King move for move against the written player, and the match tool against brains that
// die or hang in the middle of a game.
#include "protocol/BrainProtocol.h"

#include "core/LiveSettings.h"
#include "core/Random.h"
#include "core/Rules.h"
#include "engine/Choice.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A brain process with its input and output on pipes. Reads wait for the brain's next line, but
// give up after a minute so that a brain that never answers fails the test instead of hanging it.
class TBrainProcess {
public:
    explicit TBrainProcess(std::vector<std::string> args) {
        std::signal(SIGPIPE, SIG_IGN);
        int in[2], out[2];
        if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) {
            throw std::runtime_error("no pipes");
        }
        Pid = fork();
        if (Pid == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            std::vector<char*> argv;
            for (std::string& a : args) {
                argv.push_back(a.data());
            }
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        To = in[1];
        From = out[0];
    }
    ~TBrainProcess() {
        close(To);
        close(From);
        if (Pid > 0) {
            kill(Pid, SIGKILL);
            waitpid(Pid, nullptr, 0);
        }
    }
    void Send(const std::string& line) {
        const std::string text = line + "\r\n";
        ASSERT_EQ(write(To, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }
    std::optional<std::string> Read() {
        while (Buffer.find('\n') == std::string::npos) {
            pollfd p{From, POLLIN, 0};
            char chunk[4096];
            const ssize_t n = poll(&p, 1, 60000) == 1 ? read(From, chunk, sizeof chunk) : 0;
            if (n <= 0) {
                return std::nullopt;
            }
            Buffer.append(chunk, static_cast<std::size_t>(n));
        }
        const std::size_t end = Buffer.find('\n');
        std::string line = Buffer.substr(0, end);
        Buffer.erase(0, end + 1);
        return line;
    }
    // The exit status once the brain has ended by itself.
    int Wait() {
        int status = -1;
        waitpid(Pid, &status, 0);
        Pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t Pid = -1;
    int To = -1, From = -1;
    std::string Buffer;
};

enum class TExpect { Nothing, Ok, Error, Move, About };

struct TStep {
    std::string Line;
    TExpect Answer;
};

// Every command, bad input of every kind, and after each the brain still answering.
const TStep Session[] = {
    {"TURN 1,1", TExpect::Error},
    {"START 14", TExpect::Error},
    {"START 23", TExpect::Error},
    {"RECTSTART 20,19", TExpect::Error},
    {"START 15", TExpect::Ok},
    {"INFO timeout_turn 100", TExpect::Nothing},
    {"INFO time_left 4000", TExpect::Nothing},
    {"INFO timeout_match 60000", TExpect::Nothing},
    {"INFO max_memory 83886080", TExpect::Nothing},
    {"INFO folder /tmp", TExpect::Nothing},
    {"BEGIN", TExpect::Move},
    {"TURN 3,3", TExpect::Move},
    {"TURN 3,3", TExpect::Error},
    {"TURN 15,0", TExpect::Error},
    {"TURN 0,15", TExpect::Error},
    {"TURN 2", TExpect::Error},
    {"HELLO", TExpect::Error},
    {"DONE", TExpect::Error},
    {"BOARD", TExpect::Nothing},
    {"1,1,1", TExpect::Nothing},
    {"2,x,1", TExpect::Nothing},
    {"DONE", TExpect::Error},
    {"BOARD", TExpect::Nothing},
    {"1,1,1", TExpect::Nothing},
    {"1,1,2", TExpect::Nothing},
    {"DONE", TExpect::Error},
    {"BOARD", TExpect::Nothing},
    {"1,1,3", TExpect::Nothing},
    {"DONE", TExpect::Error},
    {"BOARD", TExpect::Nothing},
    {"20,1,1", TExpect::Nothing},
    {"DONE", TExpect::Error},
    {"BOARD", TExpect::Nothing},
    {"5,5,1", TExpect::Nothing},
    {"6,6,2", TExpect::Nothing},
    {"DONE", TExpect::Move},
    {"TAKEBACK 0,14", TExpect::Error},
    {"TAKEBACK 5,5", TExpect::Ok},
    {"INFO rule 1", TExpect::Error},
    {"INFO rule 4", TExpect::Error},
    {"INFO timeout_turn soon", TExpect::Error},
    {"INFO rennor_player queen", TExpect::Error},
    {"INFO rennor_player king", TExpect::Error},
    {"INFO rennor_randomness 12", TExpect::Error},
    {"RESTART", TExpect::Ok},
    {"INFO timeout_turn 0", TExpect::Nothing},
    {"BEGIN", TExpect::Move},
    {"ABOUT", TExpect::About},
};

TEST(BrainPipeTest, AnswersEveryCommandAndSurvivesEveryBadInput) {
    TBrainProcess brain({RENNOR_BRAIN});
    std::set<std::pair<int, int>> taken;
    for (const TStep& step : Session) {
        brain.Send(step.Line);
        // The squares the brain must not answer on; a refused BOARD leaves some out, never in.
        int x, y, field;
        if (step.Line == "RESTART" || step.Line == "BOARD") {
            taken.clear();
        } else if (std::sscanf(step.Line.c_str(), "%d,%d,%d", &x, &y, &field) == 3 ||
                   std::sscanf(step.Line.c_str(), "TURN %d,%d", &x, &y) == 2) {
            taken.insert({x, y});
        }
        if (step.Answer == TExpect::Nothing) {
            continue;
        }
        const std::optional<std::string> line = brain.Read();
        ASSERT_TRUE(line) << step.Line << ": no answer";
        const TAnswer answer = ParseAnswer(*line);
        SCOPED_TRACE(step.Line + " -> " + *line);
        switch (step.Answer) {
        case TExpect::Ok:
            EXPECT_EQ(answer.Kind, TAnswerKind::Ok);
            break;
        case TExpect::Error:
            EXPECT_EQ(answer.Kind, TAnswerKind::Error);
            EXPECT_FALSE(answer.Text.empty());
            break;
        case TExpect::Move:
            ASSERT_EQ(answer.Kind, TAnswerKind::Move);
            EXPECT_LT(std::max(answer.X, answer.Y), 15);
            EXPECT_TRUE(taken.insert({answer.X, answer.Y}).second);
            break;
        default: {
            const TAbout about = ParseAbout(*line);
            EXPECT_EQ(about.Name, "Rennor Emperor");
            EXPECT_EQ(about.Author, "Veltrane Inc.");
            EXPECT_FALSE(about.Version.empty() || about.Country.empty() || about.Www.empty());
        }
        }
    }
    brain.Send("END");
    EXPECT_EQ(brain.Wait(), 0);
}

// Two games of the written player against the brain's Rennor King, which must answer every
// move exactly as the written player would in the program: the first with the settings from the
// command line, the second with those an INFO key gives.
TEST(BrainPipeTest, RennorKingAnswersAsTheWrittenPlayer) {
    TBrainProcess brain({RENNOR_BRAIN, "--player=king", "--ad-factor=-5"});
    for (int adFactor : {-5, 9}) {
        brain.Send(FormatStart(19));
        ASSERT_EQ(brain.Read(), "OK");
        if (adFactor != -5) {
            brain.Send("INFO rennor_ad_factor " + std::to_string(adFactor));
        }
        ResetGameState();
        Live = TLiveSettings{};
        Live.ADFactor = adFactor;
        NewBoard();
        for (int turn = 0; !IsGameOver(); ++turn) {
            std::uint8_t x, y;
            ChooseMove(x, y);
            if (turn % 2 == 0) {
                // The written player moves in the program, the brain hears of it.
                brain.Send(turn == 0 ? "BOARD\n" + FormatMove(x - 1, y - 1) + ",2\nDONE"
                                     : FormatTurn(x - 1, y - 1));
            } else {
                const std::optional<std::string> answer = brain.Read();
                ASSERT_EQ(answer, FormatMove(x - 1, y - 1)) << "move " << turn;
            }
            MakeMove(x, y);
            if (turn % 2 == 0 && IsGameOver()) {
                brain.Read(); // the brain, not knowing the game is won, still answers
            }
        }
        brain.Send("RESTART");
        ASSERT_EQ(brain.Read(), "OK");
    }
    brain.Send(FormatStart(20));
    EXPECT_EQ(ParseAnswer(brain.Read().value_or("")).Kind, TAnswerKind::Error);
}

std::string RunMatch(const std::string& second) {
    const std::string command = std::string("python3 ") + RENNOR_MATCH + " '" + RENNOR_BRAIN +
                                " --player=king' \"" + second + "\" --count 1 --time 1000 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char chunk[4096];
    while (std::size_t n = fread(chunk, 1, sizeof chunk, pipe)) {
        output.append(chunk, n);
    }
    EXPECT_EQ(pclose(pipe), 0) << output;
    return output;
}

// The second brain passes only the first dozen lines to a real brain and then, mid-game, either
// ends or keeps its output open without a word. Either way it loses both games, and the tool
// ends it and goes on.
TEST(BrainPipeTest, MatchToolForfeitsABrainThatDiesOrHangs) {
    const std::string cut = std::string("sed -u 12q | ") + RENNOR_BRAIN + " --player=king";
    for (const auto& [second, reason] :
         {std::pair{"sh -c '" + cut + "'", "B crashed"},
          {"sh -c '" + cut + "; exec sleep 600'", "B took too long"}}) {
        const std::string output = RunMatch(second);
        EXPECT_NE(output.find("   1        1  A      B      A wins"), std::string::npos) << output;
        EXPECT_NE(output.find("   2        1  B      A      A wins"), std::string::npos) << output;
        EXPECT_NE(output.find(reason), std::string::npos) << output;
        EXPECT_NE(output.find("A: 2 won, 0 lost"), std::string::npos) << output;
    }
}

} // namespace

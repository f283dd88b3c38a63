// The real rennor-brain through real pipes: whole sessions with every kind of bad input,
// Rennor King move for move against the written player, and the match tool against brains that
// die or hang in the middle of a game.
#include "protocol/BrainProtocol.h"

#include "core/LiveSettings.h"
#include "core/Random.h"
#include "core/Rules.h"
#include "engine/Choice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>
#include <unistd.h>

namespace {

struct TRun {
    std::vector<std::string> Answers;
    int Status = -1;
};

// Runs the brain with these lines coming down a pipe to its input and its answers going up
// another, until it ends.
TRun RunBrain(const std::string& switches, const std::string& input) {
    char path[] = "/tmp/rennor-brain-input-XXXXXX";
    const int fd = mkstemp(path);
    EXPECT_EQ(write(fd, input.data(), input.size()), static_cast<ssize_t>(input.size()));
    close(fd);
    const std::string command = std::string("cat ") + path + " | " + RENNOR_BRAIN + " " + switches;
    FILE* out = popen(command.c_str(), "r");
    TRun run;
    for (char line[4096]; std::fgets(line, sizeof line, out);) {
        run.Answers.emplace_back(line, std::strcspn(line, "\r\n"));
    }
    run.Status = pclose(out);
    unlink(path);
    return run;
}

// A session on a 15x15 board. The first character of each step says what the brain must answer
// to its last line: '!' a refusal with a reason, '=' OK, '@' a move on an empty square, '?' its
// ABOUT fields, '-' nothing. A ';' ends a step and a '|' parts the lines of one.
const char Session[] =
    "!TURN 1,1;!BEGIN;!START 14;!START 23;!RECTSTART 20,19;=START 15;-INFO timeout_turn 100;"
    "-INFO timeout_match 60000;-INFO time_left 4000;-INFO max_memory 83886080;"
    "-INFO folder /tmp;@BEGIN;@TURN 3,3;!TURN 3,3;!TURN 15,0;!TURN 0,15;!TURN 2;!HELLO;!DONE;"
    "!BOARD|1,1,1|2,x,1|DONE;!BOARD|1,1,1|1,1,2|DONE;!BOARD|1,1,3|DONE;!BOARD|20,1,1|DONE;"
    "@BOARD|5,5,1|6,6,2|DONE;!TAKEBACK 0,14;=TAKEBACK 5,5;!INFO rule 1;!INFO rule 4;"
    "!INFO timeout_turn soon;!INFO rennor_player queen;!INFO rennor_player king;"
    "!INFO rennor_randomness 12;!START 30;=RESTART;-INFO timeout_turn 0;@BEGIN;?ABOUT;-END;"
    "-ABOUT";

std::vector<std::string> Steps() {
    std::vector<std::string> steps;
    std::istringstream in(Session);
    for (std::string step; std::getline(in, step, ';');) {
        std::replace(step.begin(), step.end(), '|', '\n');
        steps.push_back(step);
    }
    return steps;
}

// The squares the brain must not answer on after these lines; a refused BOARD leaves some out,
// never in.
void NoteTaken(const std::string& lines, std::set<std::pair<int, int>>& taken) {
    std::istringstream in(lines);
    for (std::string line; std::getline(in, line);) {
        int x, y, field;
        if (line == "RESTART" || line == "BOARD") {
            taken.clear();
        } else if (std::sscanf(line.c_str(), "%d,%d,%d", &x, &y, &field) == 3 ||
                   std::sscanf(line.c_str(), "TURN %d,%d", &x, &y) == 2) {
            taken.insert({x, y});
        }
    }
}

TEST(BrainPipeTest, AnswersEveryCommandAndSurvivesEveryBadInput) {
    std::string input;
    for (const std::string& step : Steps()) {
        input += step.substr(1) + "\r\n";
    }
    const TRun run = RunBrain("", input);
    EXPECT_EQ(run.Status, 0);
    auto answer = run.Answers.begin();
    std::set<std::pair<int, int>> taken;
    for (const std::string& step : Steps()) {
        NoteTaken(step.substr(1), taken);
        if (step[0] == '-') {
            continue;
        }
        ASSERT_NE(answer, run.Answers.end()) << step << ": no answer";
        SCOPED_TRACE(step + " -> " + *answer);
        const TAnswer a = ParseAnswer(*answer++);
        if (step[0] == '?') {
            const TAbout about = ParseAbout(answer[-1]);
            EXPECT_EQ(about.Name, "Rennor Emperor");
            EXPECT_EQ(about.Author, "Veltrane Inc.");
            EXPECT_FALSE(about.Version.empty() || about.Country.empty() || about.Www.empty());
        } else if (step[0] == '@') {
            ASSERT_EQ(a.Kind, TAnswerKind::Move);
            EXPECT_LT(std::max(a.X, a.Y), 15);
            EXPECT_TRUE(taken.insert({a.X, a.Y}).second);
        } else {
            EXPECT_EQ(a.Kind, step[0] == '=' ? TAnswerKind::Ok : TAnswerKind::Error);
            EXPECT_EQ(a.Text.empty(), step[0] == '=');
        }
    }
    EXPECT_EQ(answer, run.Answers.end()) << "answers after END";
}

// Two games of the written player against itself, the second player's moves asked of the
// brain's Rennor King, which must answer each exactly as the written player chose it: the first
// game with the settings from the command line, the second with those an INFO key gives.
TEST(BrainPipeTest, RennorKingAnswersAsTheWrittenPlayer) {
    std::string input;
    std::vector<std::string> expected;
    for (int adFactor : {-5, 9}) {
        input += FormatStart(19) + (adFactor == -5 ? "\n" : "\nINFO rennor_ad_factor 9\n");
        expected.push_back("OK");
        ResetGameState();
        Live = TLiveSettings{};
        Live.ADFactor = adFactor;
        NewBoard();
        for (int turn = 0; turn % 2 == 1 || !IsGameOver(); ++turn) {
            std::uint8_t x, y;
            ChooseMove(x, y);
            const std::string square = FormatMove(x - 1, y - 1);
            if (turn % 2 == 0) { // the brain hears of the first player's move
                input +=
                    (turn == 0 ? "BOARD\n" + square + ",2\nDONE" : FormatTurn(x - 1, y - 1)) + "\n";
            } else { // and answers even when it has lost, not knowing
                expected.push_back(square);
            }
            MakeMove(x, y);
        }
        input += "RESTART\n";
        expected.push_back("OK");
    }
    const TRun run = RunBrain("--player=king --ad-factor=-5", input + FormatStart(20) + "\n");
    ASSERT_EQ(run.Answers.size(), expected.size() + 1);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(run.Answers[i], expected[i]) << "answer " << i;
    }
    EXPECT_EQ(ParseAnswer(run.Answers.back()).Kind, TAnswerKind::Error);
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

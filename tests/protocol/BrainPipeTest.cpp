// The real rennor-brain through real pipes: whole sessions with every kind of bad input,
// Rennor King move for move against the written player, and the match tool against brains that
// die or hang in the middle of a game.
#include "protocol/BrainProtocol.h"

#include "core/LiveSettings.h"
#include "core/Rules.h"
#include "engine/Choice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <unistd.h>

namespace {

// Runs a shell command line and gives what it printed; the command must end well.
std::string Shell(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char chunk[4096];
    while (const std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) {
        output.append(chunk, n);
    }
    EXPECT_EQ(pclose(pipe), 0) << command << "\n" << output;
    return output;
}

// The match tool's report with these arguments holds each of these lines.
void ExpectMatchReport(const std::string& arguments, std::initializer_list<std::string> lines) {
    const std::string output =
        Shell(std::string("python3 ") + RENNOR_MATCH + " " + arguments + " 2>&1");
    for (const std::string& line : lines) {
        EXPECT_NE(output.find(line), std::string::npos) << line << " in\n" << output;
    }
}

// The brain's answers, a line each, to these bytes coming down a pipe.
std::vector<std::string> Answers(const std::string& switches, const std::string& input) {
    char path[] = "/tmp/rennor-brain-input-XXXXXX";
    close(mkstemp(path));
    std::ofstream(path, std::ios::binary) << input;
    std::istringstream out(
        Shell(std::string("cat ") + path + " | " + RENNOR_BRAIN + " " + switches));
    std::remove(path);
    std::vector<std::string> answers;
    for (std::string line; std::getline(out, line);) {
        answers.push_back(line.substr(0, line.find('\r')));
    }
    return answers;
}

// A session on a 15x15 board. The first character of each step says what the brain must answer
// to its last line: '!' a refusal with a reason, '=' OK, '@' a move on an empty square, '?' its
// ABOUT fields, '-' nothing. A ';' ends a step and a '|' parts the lines of one.
const char Session[] =
    "!TURN 1,1;!BEGIN;!START;!START 0;!START 20x;!RECTSTART 20;"
    "!RECTSTART 20,19;=RECTSTART 16,16;=start 15;-INFO timeout_turn 100;-INFO timeout_match 60000;"
    "-INFO time_left 4000;-INFO max_memory 83886080;-INFO folder /tmp;@BEGIN;@TURN  3 , 3 ;"
    "!TURN 3,3;!TURN 15,0;!TURN 0,15;!TURN 2;!TURN 10,11,12;!TURN -1,5;!TURN 1234567,1;"
    "!DONE;!INFO;!BOARD|1,1,1|2,x,1|DONE;!BOARD|1,1,1|1,1,2|DONE;-INFO rule 2;"
    "!BOARD|1,2|DONE;!BOARD|20,1,1|DONE;@BOARD|5,5,1||6,6,2|7,7,3|DONE;!TAKEBACK;!TAKEBACK 0,14;"
    "=TAKEBACK 5,5;-INFO rule 1;!INFO rule 5;!INFO rule 8;-INFO rule 0;!INFO timeout_turn soon;"
    "!INFO rennor_player queen;"
    "!INFO rennor_player king;!INFO rennor_randomness 12;!START 30;=RESTART;"
    "-INFO timeout_turn 0;@BEGIN;?ABOUT;-END;-ABOUT";

TEST(BrainPipeTest, AnswersEveryCommandAndSurvivesEveryBadInput) {
    std::vector<std::string> steps;
    std::string input;
    std::istringstream session(Session);
    for (std::string step; std::getline(session, step, ';');) {
        std::replace(step.begin(), step.end(), '|', '\n');
        steps.push_back(step);
        input += step.substr(1) + "\r\n";
    }
    const std::vector<std::string> answers = Answers("", input);
    auto answer = answers.begin();
    std::set<std::pair<int, int>> taken;
    for (const std::string& step : steps) {
        // The squares the brain must not answer on; a refused BOARD leaves some out, never in.
        std::istringstream lines(step.substr(1));
        for (std::string line; std::getline(lines, line);) {
            int x, y, field;
            if (line == "RESTART" || line == "BOARD") {
                taken.clear();
            } else if (std::sscanf(line.c_str(), "%d,%d,%d", &x, &y, &field) == 3 ||
                       std::sscanf(line.c_str(), "TURN %d ,%d", &x, &y) == 2) {
                taken.insert({x, y});
            }
        }
        if (step[0] == '-') {
            continue;
        }
        ASSERT_NE(answer, answers.end()) << step << ": no answer";
        SCOPED_TRACE(step + " -> " + *answer);
        const TAnswer a = ParseAnswer(*answer);
        const TAbout about = ParseAbout(*answer++).value_or(TAbout{});
        if (step[0] == '?') {
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
    EXPECT_EQ(answer, answers.end()) << "answers after END";
    EXPECT_NE(Shell(std::string(RENNOR_BRAIN) + " --help").find("default of 30 seconds"),
              std::string::npos);
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
    const std::vector<std::string> answers =
        Answers("--player=king --ad-factor=-5", input + FormatStart(20) + "\n");
    ASSERT_FALSE(answers.empty());
    EXPECT_EQ(ParseAnswer(answers.back()).Kind, TAnswerKind::Error); // Rennor King plays 19 only
    EXPECT_EQ(std::vector(answers.begin(), answers.end() - 1), expected);
}

// Black's column and row meet at 8,8, a double four; white's three on the diagonal through it,
// blocked at both far ends. Under renju the brain tells its colour from the counts: as black it
// wins by an open four, never by its foul, and as white by the four whose only block is that
// foul. Rennor King plays five or more only.
TEST(BrainPipeTest, PlaysByTheRuleItIsGiven) {
    const std::string black = "8,5 8,6 8,7 5,8 6,8 7,8 13,3 7,9 ";
    const std::string white = "9,7 10,6 11,5 ";
    const std::string far = "0,14 3,14 6,14 9,14 12,14";
    const auto board = [](const std::string& own, const std::string& theirs) {
        std::string lines = "BOARD\n";
        for (const auto& [stones, field] : {std::pair{own, ",1\n"}, {theirs, ",2\n"}}) {
            std::istringstream in(stones);
            for (std::string square; in >> square;) {
                lines += square + field;
            }
        }
        return lines + "DONE\n";
    };
    const std::vector<std::string> answers =
        Answers("", "START 15\nINFO rule 4\n" + board(black, white + far) + board(white, black) +
                        "INFO rennor_player king\n");
    ASSERT_EQ(answers.size(), 4u);
    EXPECT_TRUE(answers[1] == "4,8" || answers[1] == "8,4") << answers[1];
    EXPECT_EQ(answers[2], "12,4");
    EXPECT_EQ(ParseAnswer(answers[3]).Kind, TAnswerKind::Error);
}

// A brain that always answers 8,8, there black's double three: under renju black loses on it,
// whichever brain holds black, and the tool counts the fouls.
TEST(BrainPipeTest, MatchToolForfeitsBlacksFoul) {
    const std::string openings = testing::TempDir() + "foul-openings.txt";
    std::ofstream(openings) << "1,-1 -6,-6 1,-2 6,-6 -1,1 -6,6 -2,1 6,6\n";
    const std::string brain = "\"sh -c 'while read -r l; do case \\$l in START*) echo OK;; "
                              "DONE*|BEGIN*|TURN*) echo 8,8;; END*) exit;; esac; done'\"";
    ExpectMatchReport(brain + " " + brain + " --size 15 --rule 4 --judge " + RENNOR_JUDGE +
                          " --openings " + openings,
                      {"   1        1  A      B      B wins", "A played 8,8, a foul: double three",
                       "fouls by black: 2; moves on a taken square or off the board: 0"});
}

// The second brain passes only the first dozen lines to a real brain and then, mid-game, either
// ends or keeps its output open without a word. Either way it loses both games, and the tool
// ends it and goes on.
TEST(BrainPipeTest, MatchToolForfeitsABrainThatDiesOrHangs) {
    const std::string cut = std::string("sed -u 12q | ") + RENNOR_BRAIN + " --player=king";
    for (const auto& [second, reason] :
         {std::pair{"sh -c '" + cut + "'", "B crashed"},
          {"sh -c '" + cut + "; exec sleep 600'", "B took too long"}}) {
        ExpectMatchReport(std::string("'") + RENNOR_BRAIN + " --player=king' \"" + second +
                              "\" --count 1 --time 1000",
                          {"   1        1  A      B      A wins",
                           "   2        1  B      A      A wins", "A: 2 won, 0 lost", reason});
    }
}

} // namespace

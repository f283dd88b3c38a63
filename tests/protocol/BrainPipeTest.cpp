// The real rennor-brain through real pipes: Rennor King move for move against the written
// player, and each rule as the brain is told it; and the real rennor-judge that referees matches.
#include "protocol/BrainProtocol.h"

#include "core/LiveSettings.h"
#include "core/Rules.h"
#include "engine/Choice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
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

// A program's answers, a line each, to these bytes coming down a pipe.
std::vector<std::string> Answers(const std::string& switches, const std::string& input,
                                 const char* program = RENNOR_BRAIN) {
    char path[] = "/tmp/rennor-brain-input-XXXXXX";
    close(mkstemp(path));
    std::ofstream(path, std::ios::binary) << input;
    std::istringstream out(Shell(std::string("cat ") + path + " | " + program + " " + switches));
    std::remove(path);
    std::vector<std::string> answers;
    for (std::string line; std::getline(out, line);) {
        answers.push_back(line.substr(0, line.find('\r')));
    }
    return answers;
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
                        "INFO rennor_player king\nEND\nABOUT\n");
    ASSERT_EQ(answers.size(), 4u); // and nothing after END
    EXPECT_TRUE(answers[1] == "4,8" || answers[1] == "8,4") << answers[1];
    EXPECT_EQ(answers[2], "12,4");
    EXPECT_EQ(ParseAnswer(answers[3]).Kind, TAnswerKind::Error);
    EXPECT_NE(Shell(std::string(RENNOR_BRAIN) + " --help").find("default of 30 seconds"),
              std::string::npos);
}

// The judge a match relies on: a stone at a time under renju, a foul and a five told apart, and
// every line it cannot take refused with the reason.
TEST(JudgePipeTest, JudgesEachStoneAndRefusesWhatItCannotTake) {
    const std::vector<std::pair<std::string, std::string>> exchange = {
        {"7,7,1", "ILLEGAL no game: NEW comes first"},
        {"NEW 23 0", "ILLEGAL a game is NEW size rule: size 15 to 22, rule 0, 1 or 4"},
        {"NEW 15 4", "OK"},
        {"5,7,1", "OK"},
        {"6,7,1", "OK"},
        {"7,5,1", "OK"},
        {"7,6,1", "OK"},
        {"7,7,1", "FOUL double three"},
        {"7;8,2", "ILLEGAL a move is x,y,colour"},
        {"7,8,3", "ILLEGAL a move is x,y,colour"},
        {"15,0,2", "ILLEGAL off the board"},
        {"7,7,2", "ILLEGAL the square is taken"},
        {"0,0,2", "OK"},
        {"1,1,2", "OK"},
        {"2,2,2", "OK"},
        {"3,3,2", "OK"},
        {"4,4,2", "WIN"}};
    std::string input;
    std::vector<std::string> expected;
    for (const auto& [line, answer] : exchange) {
        input += line + "\n";
        expected.push_back(answer);
    }
    EXPECT_EQ(Answers("", input, RENNOR_JUDGE), expected);
}

} // namespace

// Reading and writing protocol lines on both sides: commands, BOARD blocks, answers, ABOUT.
#include "protocol/BrainProtocol.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Feeds the lines of one command, parted by '|', and gives the command they make.
TCommand Read(const std::string& lines) {
    TCommandReader reader;
    std::optional<TCommand> read;
    std::istringstream in(lines);
    for (std::string line; std::getline(in, line, '|');) {
        EXPECT_FALSE(read) << lines << ": a command before its last line";
        read = reader.Feed(line);
    }
    EXPECT_TRUE(read) << lines;
    return read.value_or(TCommand{});
}

struct TCommandCase {
    const char* Lines;
    TCommandKind Kind;
    int A = 0, B = 0; // START width and height, or a square
};

const TCommandCase Commands[] = {{"START 20", TCommandKind::Start, 20, 20},
                                 {"start 15\r", TCommandKind::Start, 15, 15},
                                 {"RECTSTART 20,15", TCommandKind::RectStart, 20, 15},
                                 {"TURN 10,11", TCommandKind::Turn, 10, 11},
                                 {"TURN  3 , 4 ", TCommandKind::Turn, 3, 4},
                                 {"TAKEBACK 0,0", TCommandKind::TakeBack, 0, 0},
                                 {"BEGIN", TCommandKind::Begin},
                                 {"RESTART", TCommandKind::Restart},
                                 {"ABOUT", TCommandKind::About},
                                 {"END", TCommandKind::End},
                                 {"BOARD|1,2,1||3,4,2|DONE", TCommandKind::Board}};

// Commands that do not exist or whose arguments do not parse; a BOARD block goes as a whole.
const char* const Refused[] = {
    "HELLO 1", "START",         "START 0",        "START 20x",        "RECTSTART 20",
    "TURN 10", "TURN 10,11,12", "TURN -1,5",      "TURN 1234567,1",   "TAKEBACK",
    "INFO",    "DONE",          "BOARD|1,2|DONE", "BOARD|1,2,3|DONE", "BOARD|a,b,c|4,4,1|DONE"};

TEST(ProtocolTest, ReadsEachCommandAndRefusesBadArguments) {
    for (const TCommandCase& c : Commands) {
        const TCommand read = Read(c.Lines);
        EXPECT_EQ(read.Kind, c.Kind) << c.Lines;
        EXPECT_TRUE(read.Problem.empty()) << c.Lines;
        const bool square = c.Kind == TCommandKind::Turn || c.Kind == TCommandKind::TakeBack;
        EXPECT_EQ(square ? std::pair(read.X, read.Y) : std::pair(read.Width, read.Height),
                  std::pair(c.A, c.B))
            << c.Lines;
    }
    for (const char* lines : Refused) {
        const TCommand read = Read(lines);
        EXPECT_TRUE(read.Kind == TCommandKind::Malformed || read.Kind == TCommandKind::Unknown);
        EXPECT_FALSE(read.Problem.empty()) << lines;
    }
}

TEST(ProtocolTest, ReadsEveryKindOfAnswer) {
    const std::pair<const char*, TAnswerKind> answers[] = {
        {" 0,0\r", TAnswerKind::Move},          {"OK", TAnswerKind::Ok},
        {"ERROR bad size", TAnswerKind::Error}, {"UNKNOWN what", TAnswerKind::Unknown},
        {"MESSAGE hi", TAnswerKind::Message},   {"DEBUG x", TAnswerKind::Debug},
        {"SUGGEST 3,4", TAnswerKind::Suggest},  {"10,", TAnswerKind::Other},
        {"10;11", TAnswerKind::Other}};
    for (const auto& [line, kind] : answers) {
        EXPECT_EQ(ParseAnswer(line).Kind, kind) << line;
    }
}

// What one side writes, the other reads back whole.
TEST(ProtocolTest, EachSideReadsWhatTheOtherWrites) {
    const std::vector<TBoardEntry> entries = {{1, 2, 1}, {3, 4, 2}, {0, 19, 1}};
    std::string lines;
    for (const std::string& line : FormatBoard(entries)) {
        lines += line + "|";
    }
    EXPECT_EQ(Read(lines).Entries, entries);
    const TCommand info = Read(FormatInfo("Time_Left", 12345));
    EXPECT_EQ(info.Key + " " + info.Value, "time_left 12345");
    EXPECT_EQ(Read("INFO folder C:\\My Brains").Value, "C:\\My Brains");
    const TAnswer move = ParseAnswer(FormatMove(12, 3));
    EXPECT_EQ(std::pair(move.X, move.Y), std::pair(12, 3));
    EXPECT_EQ(ParseAnswer(FormatError("bad size")).Text, "bad size");
    const TAbout about{"Rennor Emperor", "1.0", "Veltrane Inc.", "", "https://x.example/", ""};
    EXPECT_EQ(FormatAbout(about).find("country"), std::string::npos);
    EXPECT_EQ(ParseAbout(FormatAbout(about)), about);
    EXPECT_EQ(ParseAbout("name=\"a, b\",version=\"2\" author=\"c\"").Name, "a, b");
}

} // namespace

// Reading and writing protocol lines on both sides: commands, BOARD blocks, answers, ABOUT.
#include "protocol/BrainProtocol.h"

#include <gtest/gtest.h>

namespace {

struct TCommandCase {
    std::vector<std::string> Lines;
    TCommandKind Kind;
    int A = 0, B = 0; // START width and height, or a square
};

const TCommandCase Commands[] = {
    {{"START 20"}, TCommandKind::Start, 20, 20},
    {{"start 15\r"}, TCommandKind::Start, 15, 15},
    {{"RECTSTART 20,15"}, TCommandKind::RectStart, 20, 15},
    {{"TURN 10,11"}, TCommandKind::Turn, 10, 11},
    {{"TURN  3 , 4 "}, TCommandKind::Turn, 3, 4},
    {{"TAKEBACK 0,0"}, TCommandKind::TakeBack, 0, 0},
    {{"BEGIN"}, TCommandKind::Begin},
    {{"RESTART"}, TCommandKind::Restart},
    {{"ABOUT"}, TCommandKind::About},
    {{"END"}, TCommandKind::End},
    {{"BOARD", "1,2,1", "", "3,4,2", "DONE"}, TCommandKind::Board},
    {{"HELLO 1"}, TCommandKind::Unknown},
    {{"START"}, TCommandKind::Malformed},
    {{"START 0"}, TCommandKind::Malformed},
    {{"START 20x"}, TCommandKind::Malformed},
    {{"RECTSTART 20"}, TCommandKind::Malformed},
    {{"TURN 10"}, TCommandKind::Malformed},
    {{"TURN 10,11,12"}, TCommandKind::Malformed},
    {{"TURN -1,5"}, TCommandKind::Malformed},
    {{"TURN 1234567,1"}, TCommandKind::Malformed},
    {{"TAKEBACK"}, TCommandKind::Malformed},
    {{"INFO"}, TCommandKind::Malformed},
    {{"DONE"}, TCommandKind::Malformed},
    {{"BOARD", "1,2", "DONE"}, TCommandKind::Malformed},
    {{"BOARD", "1,2,3", "DONE"}, TCommandKind::Malformed},
    {{"BOARD", "a,b,c", "4,4,1", "DONE"}, TCommandKind::Malformed},
};

TEST(ProtocolTest, ReadsEachCommandAndRefusesBadArguments) {
    for (const TCommandCase& c : Commands) {
        TCommandReader reader;
        std::optional<TCommand> read;
        for (const std::string& line : c.Lines) {
            ASSERT_FALSE(read) << c.Lines.front() << ": a command before its last line";
            read = reader.Feed(line);
        }
        ASSERT_TRUE(read) << c.Lines.front();
        EXPECT_EQ(read->Kind, c.Kind) << c.Lines.front();
        const bool bad = c.Kind == TCommandKind::Malformed || c.Kind == TCommandKind::Unknown;
        EXPECT_EQ(read->Problem.empty(), !bad) << c.Lines.front();
        if (c.Kind == TCommandKind::Start || c.Kind == TCommandKind::RectStart) {
            EXPECT_EQ(std::pair(read->Width, read->Height), std::pair(c.A, c.B));
        } else if (c.Kind == TCommandKind::Turn || c.Kind == TCommandKind::TakeBack) {
            EXPECT_EQ(std::pair(read->X, read->Y), std::pair(c.A, c.B));
        }
    }
}

TEST(ProtocolTest, ABoardBlockRoundTrips) {
    const std::vector<TBoardEntry> entries = {{1, 2, 1}, {3, 4, 2}, {0, 19, 1}};
    TCommandReader reader;
    std::optional<TCommand> read;
    for (const std::string& line : FormatBoard(entries)) {
        EXPECT_FALSE(read);
        read = reader.Feed(line);
        EXPECT_EQ(reader.InsideBoard(), !read);
    }
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Entries, entries);
}

TEST(ProtocolTest, InfoKeepsItsKeyInLowerCaseAndTheWholeValue) {
    const std::optional<TCommand> read = TCommandReader().Feed("INFO Folder C:\\My Brains\\x");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Key, "folder");
    EXPECT_EQ(read->Value, "C:\\My Brains\\x");
}

TEST(ProtocolTest, CommandsRoundTripThroughTheReader) {
    for (const auto& [line, kind] : {std::pair{FormatStart(19), TCommandKind::Start},
                                     {FormatTurn(7, 8), TCommandKind::Turn},
                                     {FormatTakeBack(7, 8), TCommandKind::TakeBack},
                                     {FormatInfo("time_left", 12345), TCommandKind::Info}}) {
        EXPECT_EQ(TCommandReader().Feed(line)->Kind, kind) << line;
    }
}

TEST(ProtocolTest, ReadsEveryKindOfAnswer) {
    const std::pair<const char*, TAnswerKind> answers[] = {
        {"10,11", TAnswerKind::Move},
        {" 0,0\r", TAnswerKind::Move},
        {"OK", TAnswerKind::Ok},
        {"ERROR bad size", TAnswerKind::Error},
        {"UNKNOWN what", TAnswerKind::Unknown},
        {"MESSAGE hi", TAnswerKind::Message},
        {"DEBUG x", TAnswerKind::Debug},
        {"SUGGEST 3,4", TAnswerKind::Suggest},
        {"10,", TAnswerKind::Other},
        {"10;11", TAnswerKind::Other},
    };
    for (const auto& [line, kind] : answers) {
        EXPECT_EQ(ParseAnswer(line).Kind, kind) << line;
    }
    const TAnswer move = ParseAnswer("12,3");
    EXPECT_EQ(std::pair(move.X, move.Y), std::pair(12, 3));
    EXPECT_EQ(ParseAnswer("ERROR bad size").Text, "bad size");
    EXPECT_EQ(FormatMove(4, 17), "4,17");
    EXPECT_EQ(FormatError("no"), "ERROR no");
}

TEST(ProtocolTest, AboutRoundTripsAndSkipsEmptyFields) {
    const TAbout about{"Rennor Emperor", "1.0", "Veltrane Inc.", "", "https://x.example/", ""};
    const std::string line = FormatAbout(about);
    EXPECT_EQ(line.find("country"), std::string::npos);
    EXPECT_EQ(ParseAbout(line), about);
    EXPECT_EQ(ParseAbout("name=\"a, b\",version=\"2\" author=\"c\"").Name, "a, b");
}

} // namespace

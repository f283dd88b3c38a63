// The manager's side of the protocol lines that the sessions through pipes do not show: every
// kind of answer, ABOUT fields left out or holding commas, INFO values holding blanks, and how
// a stream of bytes is cut into lines wherever its chunks end.
#include "protocol/BrainProtocol.h"
#include "protocol/LineSplitter.h"

#include <gtest/gtest.h>

namespace {

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
    EXPECT_EQ(ParseAnswer(FormatError("bad size")).Text, "bad size");
}

TEST(ProtocolTest, AboutAndInfoFieldsComeBackWhole) {
    const TAbout about{"Rennor Emperor", "1.0", "Veltrane Inc.", "", "https://x.example/", ""};
    EXPECT_EQ(FormatAbout(about).find("country"), std::string::npos);
    EXPECT_EQ(ParseAbout(FormatAbout(about)), about);
    EXPECT_EQ(ParseAbout("name=\"a, b\",version=\"2\" author=\"c\"")->Name, "a, b");
    // A move, an OK or a broken list is no answer to ABOUT.
    for (const char* line : {"", "7,7", "OK", "name=\"x", "name=\"x\" 7,7", "my name=\"x\""}) {
        EXPECT_FALSE(ParseAbout(line)) << line;
    }
    const std::optional<TCommand> info = TCommandReader().Feed("INFO Folder C:\\My Brains");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->Key + "|" + info->Value, "folder|C:\\My Brains");
}

// Each stream comes in the chunks given, then ends: its lines, a too-long one as '#' and the
// start it keeps.
TEST(ProtocolTest, SplitsLinesAtEveryEndWithinBoundsWhereverChunksEnd) {
    const std::string longLine(LongestLine + 1, 'x');
    const std::string longest(LongestLine, 'x');
    const std::pair<std::vector<std::string>, std::vector<std::string>> streams[] = {
        {{"a\rb\nc\r\nd"}, {"a", "b", "c", "d"}},
        {{"a\r", "\nb\r", "\r\n", "c"}, {"a", "b", "", "c"}},
        {{"\n\r\n\r"}, {"", "", ""}},
        {{longest + "\r" + longLine, longLine + "\nok\n", longest, "y\r"},
         {longest, "#" + longest, "ok", "#" + longest}},
    };
    for (const auto& [chunks, expected] : streams) {
        TLineSplitter splitter;
        std::vector<std::string> lines;
        for (std::size_t i = 0; i <= chunks.size(); ++i) {
            for (const TLine& line :
                 i < chunks.size() ? splitter.Feed(chunks[i]) : splitter.Finish()) {
                lines.push_back((line.TooLong ? "#" : "") + line.Text);
            }
            EXPECT_LE(splitter.Held(), LongestLine);
        }
        EXPECT_EQ(lines, expected) << chunks[0].substr(0, 20);
    }
}

} // namespace

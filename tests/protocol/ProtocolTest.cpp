// The manager's side of the protocol lines that the sessions through pipes do not show: every
// kind of answer, ABOUT fields left out or holding commas, INFO values holding blanks.
#include "protocol/BrainProtocol.h"

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
    EXPECT_EQ(ParseAbout("name=\"a, b\",version=\"2\" author=\"c\"").Name, "a, b");
    const std::optional<TCommand> info = TCommandReader().Feed("INFO Folder C:\\My Brains");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->Key + "|" + info->Value, "folder|C:\\My Brains");
}

} // namespace

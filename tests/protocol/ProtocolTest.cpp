// The manager's side of the protocol lines that the sessions through pipes do not show: every
// kind of answer, ABOUT fields left out or holding commas, INFO values holding blanks, and how
// a stream of bytes is cut into lines wherever its chunks end.
#include "protocol/BrainProtocol.h"
#include "protocol/BrainSession.h"
#include "protocol/LineSplitter.h"

#include <gtest/gtest.h>

#include <sstream>

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
    EXPECT_EQ(info ? info->Key + "|" + info->Value : "", "folder|C:\\My Brains");
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
            for (const TTextLine& line :
                 i < chunks.size() ? splitter.Feed(chunks[i]) : splitter.Finish()) {
                lines.push_back((line.TooLong ? "#" : "") + line.Text);
            }
            EXPECT_LE(splitter.Held(), LongestLine);
        }
        EXPECT_EQ(lines, expected) << chunks[0].substr(0, 20);
    }
}

} // namespace

// An engine that plays the first empty square of the last row and writes down all it is told.
struct TRecordingEngine final : TBrainEngine {
    std::string Heard;
    TAbout About() const override { return {"Recorder", "1", "", "", "", ""}; }
    std::optional<std::string> RefuseSize(int size) const override {
        return size > 20 ? std::optional<std::string>("too large") : std::nullopt;
    }
    void NewGame(int size) override { Heard += "new " + std::to_string(size) + ";"; }
    std::optional<std::string> Configure(const std::string& key,
                                         const std::string& value) override {
        Heard += key + "=" + value + ";";
        return key == "refused" ? std::optional<std::string>("no") : std::nullopt;
    }
    std::pair<int, int> Choose(const TBrainGame& game, std::chrono::milliseconds budget) override {
        Heard += "move " + std::to_string(budget.count()) + "ms";
        for (const TBrainStone& s : game.Stones) {
            Heard += " " + FormatMove(s.X, s.Y) + "BON"[static_cast<int>(s.Owner)];
        }
        Heard += ";";
        return {game.Size - 1 - static_cast<int>(game.Stones.size()), game.Size - 1};
    }
};

// What the session tells its engine and answers, line by line: the time each move gets from
// the turn time, the match time and the time left; whose each stone is after BOARD, TURN,
// TAKEBACK and the brain's own moves.
TEST(ProtocolTest, TheSessionGivesItsEngineTheGameAndTheTimeTheManagerAllows) {
    const std::pair<const char*, const char*> sessions[] = {
        {"START 15|BEGIN", "new 15;OK|move 29980ms;14,14|"},
        {"START 15|INFO timeout_turn 0|BEGIN", "new 15;OK|timeout_turn=0;move 10ms;14,14|"},
        {"START 15|INFO timeout_turn 40|TURN 0,0",
         "new 15;OK|timeout_turn=40;move 20ms 0,0O;13,14|"},
        {"START 15|INFO timeout_turn 10|INFO time_left 5|BEGIN",
         "new 15;OK|timeout_turn=10;time_left=5;move 1ms;14,14|"},
        {"START 15|INFO timeout_turn 1000|INFO time_left 1500|BEGIN",
         "new 15;OK|timeout_turn=1000;time_left=1500;move 980ms;14,14|"},
        {"START 15|INFO timeout_match 60000|INFO timeout_turn 1000|INFO time_left 4500|BEGIN",
         "new 15;OK|timeout_match=60000;timeout_turn=1000;time_left=4500;move 280ms;14,14|"},
        {"START 15|INFO timeout_match 60000|INFO time_left 90000|INFO timeout_turn 4000|BEGIN",
         "new 15;OK|timeout_match=60000;time_left=90000;timeout_turn=4000;move 3980ms;14,14|"},
        {"INFO rule 3|START 20|INFO timeout_turn 100|BOARD|1,2,1|3,4,2|5,6,3|DONE|TAKEBACK 3,4|"
         "TURN 7,7|INFO refused x",
         "rule=3;new 20;OK|timeout_turn=100;move 80ms 1,2B 3,4O 5,6N;16,19|OK|"
         "move 80ms 1,2B 5,6N 16,19B 7,7O;15,19|refused=x;ERROR no|"},
        {"START 21|START 0|START 1|START 5,5|RECTSTART 16,17|START 16|RESTART|TURN 15,15|"
         "TAKEBACK 15,15|TAKEBACK 15,15|TURN 14,15|TURN 16,0|TURN 0,16",
         "ERROR too large|ERROR START needs a size|new 1;OK|ERROR START needs a size|"
         "ERROR only square boards are played|new 16;OK|new 16;OK|move 29980ms 15,15O;14,15|OK|"
         "ERROR no stone on 15,15 to take back|ERROR square 14,15 is taken|"
         "ERROR square 16,0 is off the board|ERROR square 0,16 is off the board|"},
        {"start 15|TURN  3 , 3 |TURN 10,11,12|TURN -1,5|TURN 1234567,1|DONE|INFO|BOARD|1,1,1|"
         "1,1,2|DONE|TAKEBACK|INFO rule 5|INFO rule 8|RECTSTART 16,16",
         "new 15;OK|move 29980ms 3,3O;13,14|ERROR TURN needs a square x,y|ERROR TURN needs a "
         "square x,y|ERROR TURN needs a square x,y|ERROR DONE without BOARD|ERROR INFO needs a "
         "key and a value|ERROR BOARD: square 1,1 is taken|ERROR TAKEBACK needs a square x,y|"
         "ERROR the rules played are 0 (five or more), 1 (exactly five) and 4 (renju)|ERROR the "
         "rules played are 0 (five or more), 1 (exactly five) and 4 (renju)|new 16;OK|"},
        // Bad input ('#': a line cut for being too long) is quoted short and printable.
        {"START 15|HELLO|NU\x01L\xff x|#TURN 1234567890123456789012345678901234567890|BEGIN",
         "new 15;OK|UNKNOWN unknown command HELLO|UNKNOWN unknown command NU?L?|ERROR a line of "
         "more than 4096 characters is not read: \"TURN 12345678901234567890123456789012345...\"|"
         "move 29980ms;14,14|"},
        {"START 15|INFO timeout_turn 1234567890123456789012345678901234567890x|BOARD|1,1,4|DONE|"
         "BOARD|3,3,3|DONE|BOARD|2,x,1|DONE",
         "new 15;OK|ERROR INFO timeout_turn needs a whole number, not "
         "\"1234567890123456789012345678901234567890...\"|ERROR BOARD field must be 1 (own "
         "stone), 2 (opponent's stone) or 3 (out of play)|ERROR BOARD: field 3 (out of play) "
         "comes only in a continuous game (INFO rule 2)|ERROR BOARD line \"2,x,1\" is not "
         "x,y,field|"},
        // A five on the board ends the game; squares out of play make none.
        {"START 15|BOARD|4,2,2|0,0,1|1,1,1|3,3,1|2,2,1|4,4,1|DONE|BOARD|9,5,2|8,6,2|7,7,2|6,8,2|"
         "5,9,2|DONE|INFO rule 2|BOARD|7,7,3|0,0,3|1,0,3|2,0,3|3,0,3|4,0,3|DONE|TURN 7,7",
         "new 15;OK|ERROR BOARD: the game is over, five in a row from 0,0|ERROR BOARD: the game "
         "is over, five in a row from 5,9|rule=2;move 29980ms 7,7N 0,0N 1,0N 2,0N 3,0N 4,0N;8,14|"
         "ERROR square 7,7 is taken|"},
    };
    for (const auto& [input, expected] : sessions) {
        TRecordingEngine engine;
        TBrainSession session(engine);
        std::istringstream lines(input);
        for (std::string line; std::getline(lines, line, '|');) {
            const bool cut = line.starts_with('#');
            for (const std::string& answer : session.Handle({line.substr(cut), cut})) {
                engine.Heard += answer + "|";
            }
        }
        EXPECT_EQ(engine.Heard, expected) << input;
    }
}

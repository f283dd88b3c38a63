// Rennor Emperor's line shapes on a table of drawn lines, the same for either colour and either
// way along a line; which of two positions the transposition table keeps in one slot. What four
// lines make together and are worth, and the table's use, show in the exact scores and counts of
// the reference test's fixed-depth searches.
#include "search/LinePatterns.h"
#include "search/TransTable.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

// Eleven squares with the tried square in the middle: 'x' the colour tried, 'o' the other, '#'
// off the board, anything else empty. The squares five away count only where exactly five wins.
std::uint32_t KeyOf(std::string_view line, int colour) {
    std::uint32_t key = 0;
    auto code = [colour](char c) -> std::uint32_t {
        return c == 'x' ? colour : c == 'o' ? 3 - colour : c == '#' ? 3 : 0;
    };
    for (int k = 1; k <= 4; ++k) {
        key |= code(line[5 - k]) << 2 * (k - 1) | code(line[5 + k]) << (8 + 2 * (k - 1));
    }
    return key | code(line[0]) << 16 | code(line[10]) << 18;
}

struct TLineCase {
    const char* Line;
    TLine Free;  // five or more wins
    TLine Exact; // only exactly five wins
};

const TLineCase Lines[] = {
    {"....._.....", TLine::F1, TLine::F1},     {"....#_.....", TLine::B1, TLine::B1},
    {"..o.._o....", TLine::None, TLine::None}, {"....._x....", TLine::F2, TLine::F2},
    {"....o_x....", TLine::B2, TLine::B2},     {"....x_x....", TLine::F3, TLine::F3},
    {"...x._x....", TLine::F3, TLine::F3},     {"...ox_x....", TLine::B3, TLine::B3},
    {"..#x._x....", TLine::B3, TLine::B3},     {"...xx_x....", TLine::F4, TLine::F4},
    {"..oxx_x....", TLine::B4, TLine::B4},     {"..xx._x....", TLine::B4, TLine::B4},
    {"...xx_x.x..", TLine::F4, TLine::B4},     {"x.xxx_.....", TLine::F4, TLine::B4},
    {"#xxxx_.....", TLine::Five, TLine::Five}, {"..xxx_xx...", TLine::Five, TLine::None},
    {"xxxxx_.....", TLine::Five, TLine::None}, {".oxxx_xo...", TLine::Five, TLine::Five},
    {"...ox_xxo..", TLine::None, TLine::None},
};

TEST(PartsTest, EachLineShapeOnItsDrawnLineForEitherColourAndEitherWay) {
    const TPatternTables& tables = TPatternTables::Get();
    const TExactLines& exact = TExactLines::Get();
    for (const TLineCase& c : Lines) {
        const std::string line = c.Line, reversed(line.rbegin(), line.rend());
        for (int colour = 1; colour <= 2; ++colour) {
            for (const std::string& drawn : {line, reversed}) {
                SCOPED_TRACE(drawn + " colour " + std::to_string(colour));
                const std::uint32_t key = KeyOf(drawn, colour);
                EXPECT_EQ(tables.Line(static_cast<TLineKey>(key & 0xFFFF), colour), c.Free);
                EXPECT_EQ(exact.Line(key, colour), c.Exact);
            }
        }
    }
}

// A deep result outweighs a shallow one for the same slot until a turn starts with more stones
// than its position has (a 20x20 board holds 400); the same position's newest result always
// replaces its old one.
TEST(PartsTest, TheTableKeepsADeepResultOnlyWhileItsPositionCanStillBeMet) {
    TTransTable table(sizeof(std::uint64_t) * 2); // a single slot
    const std::uint64_t deep = 0x1234, shallow = 0x5678;
    auto entry = [](int depth, int stones) {
        return TTransEntry{100, 7, static_cast<std::int8_t>(depth), TBound::Exact,
                           static_cast<std::uint16_t>(stones)};
    };
    table.StartTurn(300);
    table.Store(deep, entry(8, 300));
    table.Store(shallow, entry(2, 302));
    EXPECT_FALSE(table.Find(shallow));
    table.Store(deep, entry(1, 300));
    ASSERT_TRUE(table.Find(deep));
    EXPECT_EQ(table.Find(deep)->Depth, 1);
    table.Store(deep, entry(8, 300));
    table.StartTurn(301);
    table.Store(shallow, entry(2, 302));
    EXPECT_FALSE(table.Find(deep));
    ASSERT_TRUE(table.Find(shallow));
    EXPECT_EQ(table.Find(shallow)->Stones, 302);
    EXPECT_EQ(table.Find(shallow)->Depth, 2);
}

} // namespace

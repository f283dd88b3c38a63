// The computer players through their interface: Rennor Emperor's answer to a question asked after
// a cancelled one (Rennor King answers in every window and engine test).
#include "GameFlowTestSupport.h"

#include "players/EmperorPlayer.h"

#include <QSignalSpy>

namespace {

using namespace std::chrono_literals;
using PlayersTest = GameFlowTest;

TEST_F(PlayersTest, RennorEmperorDropsACancelledQuestionAndAnswersTheNext) {
    TEmperorPlayer emperor(60s); // a quiet position would take all of it
    QSignalSpy answers(&emperor, &TComputerPlayer::Answered);
    QSignalSpy cancels(&emperor, &TComputerPlayer::Cancelled);
    emperor.Ask({1, {{BlackStone, 10, 10}, {WhiteStone, 11, 11}}, BlackStone});
    emperor.Cancel();
    ASSERT_EQ(cancels.count(), 1);
    EXPECT_EQ(cancels[0][0].value<std::uint64_t>(), 1u);
    // Black's four from (5,5) to (8,5), white's stones far apart: black wins at (4,5) or (9,5).
    std::vector<TMoveRecord> four;
    for (int i = 0; i < 4; ++i) {
        four.push_back({BlackStone, 5 + i, 5});
        four.push_back({WhiteStone, 1 + 4 * i, 15});
    }
    emperor.Ask({2, four, BlackStone});
    ASSERT_TRUE(answers.wait(10000));
    ASSERT_EQ(answers.count(), 1);
    EXPECT_EQ(answers[0][0].value<std::uint64_t>(), 2u);
    const int X = answers[0][1].toInt(), Y = answers[0][2].toInt();
    EXPECT_TRUE(Y == 5 && (X == 4 || X == 9)) << X << "," << Y; // the five
}

} // namespace

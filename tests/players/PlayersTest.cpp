// The computer players through their interface: Rennor King's answer, and Rennor Emperor's to a
// question asked after a cancelled one.
#include "GameFlowTestSupport.h"

#include "core/Random.h"
#include "engine/Choice.h"
#include "players/EmperorPlayer.h"
#include "players/KingPlayer.h"

#include <QSignalSpy>
#include <tuple>

namespace {

using namespace std::chrono_literals;
using PlayersTest = GameFlowTest;
using TAnswerSeen = std::tuple<std::uint64_t, int, int>;

TAnswerSeen AnswerAt(const QSignalSpy& spy, int i) {
    return {spy[i][0].value<std::uint64_t>(), spy[i][1].toInt(), spy[i][2].toInt()};
}

// Black's four from (5,5) to (8,5), white's stones far apart: black wins at (4,5) or (9,5).
std::vector<TMoveRecord> BlackFour() {
    std::vector<TMoveRecord> moves;
    for (int i = 0; i < 4; ++i) {
        moves.push_back({BlackStone, 5 + i, 5});
        moves.push_back({WhiteStone, 1 + 4 * i, 15});
    }
    return moves;
}

TEST_F(PlayersTest, RennorKingAnswersBeforeAskReturnsWithTheWrittenMove) {
    Live.Randomness = 6;
    TKingPlayer king;
    QSignalSpy answers(&king, &TComputerPlayer::Answered);
    MakeMove(10, 10);
    std::uint8_t X = 0, Y = 0;
    SeedRandom(7);
    ChooseMove(X, Y);
    SeedRandom(7);
    king.Ask({5, {Game.Moves[1]}, Game.ColorToMove});
    ASSERT_EQ(answers.count(), 1);
    EXPECT_EQ(AnswerAt(answers, 0), TAnswerSeen(5, X, Y));
}

TEST_F(PlayersTest, RennorEmperorDropsACancelledQuestionAndAnswersTheNext) {
    TEmperorPlayer emperor(60s); // a quiet position would take all of it
    QSignalSpy answers(&emperor, &TComputerPlayer::Answered);
    QSignalSpy cancels(&emperor, &TComputerPlayer::Cancelled);
    emperor.Ask({1, {{BlackStone, 10, 10}, {WhiteStone, 11, 11}}, BlackStone});
    emperor.Cancel();
    ASSERT_EQ(cancels.count(), 1);
    EXPECT_EQ(cancels[0][0].value<std::uint64_t>(), 1u);
    emperor.Ask({2, BlackFour(), BlackStone});
    ASSERT_TRUE(answers.wait(10000));
    ASSERT_EQ(answers.count(), 1);
    const auto [ticket, X, Y] = AnswerAt(answers, 0);
    EXPECT_EQ(ticket, 2u);
    EXPECT_TRUE(Y == 5 && (X == 4 || X == 9)) << X << "," << Y; // the five
}

} // namespace

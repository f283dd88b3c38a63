// The game flow without windows: a new game, the clock, rating, and the ports.
#include "GameFlowTestSupport.h"

#include "game/Ports.h"

#include <cmath>
#include <limits>
#include <tuple>

namespace {

TEST_F(GameFlowTest, NewGameResetsTheRecordAndRepaintsEverySquareInOrder) {
    Play.SidesSwitched = true;
    Play.HintsUsedCount = Play.UndoUsedCount = Play.CommentsUsedCount = 3;
    Play.AutoPlaying = true;
    View.Repainted.clear();
    View.Enabled[TCommand::Undo] = View.Enabled[TCommand::Redo] = false;
    ASSERT_TRUE(NewGame1Click(false));
    EXPECT_EQ(std::tuple(Play.SidesSwitched, Play.AutoPlaying, Game.GameFinished,
                         Play.HintsUsedCount, Play.UndoUsedCount, Play.CommentsUsedCount),
              std::tuple(false, false, false, 0, 0, 0));
    EXPECT_EQ(std::tuple(View.Enabled[TCommand::Undo], View.Enabled[TCommand::Redo],
                         View.MovesShown, View.Elapsed),
              std::tuple(true, true, 0, 0.0));
    ASSERT_EQ(View.Repainted.size(), 361u);
    EXPECT_EQ(std::tuple(View.Repainted[0], View.Repainted[1], View.Repainted[360]),
              std::tuple(std::pair(1, 1), std::pair(1, 2), std::pair(19, 19)));
}

TEST_F(GameFlowTest, ClockShowsTrueTimeAcrossMidnightAndStaysInRangeWhateverItHolds) {
    // Started at 23:59:00, now 00:01:00: two minutes, not minus a day.
    const double acrossMidnight = ElapsedDays((23 * 3600 + 59 * 60) / 86400.0, 60 / 86400.0);
    const std::pair<double, const char*> shown[] = {{acrossMidnight, "00:02:00"},
                                                    {(12 * 60 + 5) / 86400.0, "00:12:05"},
                                                    {1e300, "2500000000000:00:00"},
                                                    {std::nan(""), "00:00:00"}};
    for (const auto& [days, text] : shown) {
        EXPECT_EQ(FormatLongTime(days), QString::fromUtf8(text)) << days;
    }
    // Start, clock, milliseconds to the next tick; across midnight the elapsed time decides.
    const std::tuple<double, double, int> ticks[] = {{0.5, 0.5 + 65.3 / 86400.0, 701},
                                                     {0.5, 0.5 + 65.0 / 86400.0, 1001},
                                                     {1 - 0.25 / 86400.0, 0, 751}};
    for (const auto& [started, now, ms] : ticks) {
        Play.GameStartTime = started;
        Play.ClockTime = now;
        EXPECT_NEAR(MsUntilNextClockSecond(), ms, 1);
    }
    for (double odd : {-3e300, -HUGE_VAL, std::nan("")}) {
        Play.GameStartTime = odd;
        const int ms = MsUntilNextClockSecond();
        EXPECT_TRUE(ms >= 1 && ms <= 1001) << odd << ": " << ms;
    }
    // The clock stands after the game, but a loader's tick still refreshes it.
    Play.GameStartTime = TimeOfDay() - 65 / 86400.0;
    Game.FiveMade = true;
    View.Elapsed = -1;
    Timer1Timer(true);
    EXPECT_EQ(View.Elapsed, -1);
    Timer1Timer(false);
    EXPECT_NEAR(View.Elapsed * 86400.0, 65, 2);
}

TEST_F(GameFlowTest, RatingCountsOnlyShownRatingsAndOnlyARightReleaseIsRemembered) {
    Live.Randomness = 1;
    StoredHumanHumanValue = true;
    ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, 9, 9)); // black on (10, 10)
    EXPECT_EQ(PopupMenu1Popup(11, 9), 75);                // (12, 10) for white
    EXPECT_EQ(PopupMenu1Popup(-1, 3), std::nullopt);      // no cell
    EXPECT_EQ(Play.CommentsUsedCount, 1);
    Game.FiveMade = true;
    EXPECT_EQ(PopupMenu1Popup(11, 9), std::nullopt);
    EXPECT_EQ(Play.CommentsUsedCount, 1);
    CellGridMouseUp(Qt::RightButton, 45, 67);
    CellGridMouseUp(Qt::LeftButton, 1, 2);
    EXPECT_EQ(std::pair(Play.RightClickX, Play.RightClickY), std::pair(45, 67));
    // A counter at its limit stays there.
    Game.FiveMade = false;
    Play.CommentsUsedCount = std::numeric_limits<std::int32_t>::max();
    PopupMenu1Popup(11, 9);
    EXPECT_EQ(Play.CommentsUsedCount, std::numeric_limits<std::int32_t>::max());
}

TEST(PortsTest, FullStopIsAppendedOnlyAfterCharactersThatSortAfterIt) {
    for (const char* kept : {"Done.", "Stop!", "I/O error 5 -", ""}) {
        EXPECT_EQ(WithFullStop(kept), kept);
    }
    for (const char* text : {"File not found", "Really?"}) {
        EXPECT_EQ(WithFullStop(text), QString::fromUtf8(text) + '.');
    }
}

} // namespace

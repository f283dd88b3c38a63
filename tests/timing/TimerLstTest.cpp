// TRxTimerList: base intervals, firing order and counts, real ticks.
#include "timing/TimerLst.h"

#include "TimingTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <vector>

namespace {

// A list on a clock the test moves by hand; the test also delivers the periods itself, so
// nothing depends on how fast the machine runs. It records the periods (counted from 1) at
// which each event fired, and which fired last.
class TManualList : public TRxTimerList {
public:
    TManualList() {
        SetOnTimers([this](QObject*, std::int32_t Handle) {
            At[Handle].push_back(Periods);
            Last = Handle;
        });
    }
    std::int64_t Clock() const override { return Now; }
    void Run(int Count, std::int64_t Ms) {
        for (int I = 0; I < Count; ++I) {
            ++Periods;
            Now += Ms;
            HandleTimer();
        }
    }

    // Starts at the real tick count, so events created a moment ago are not overdue.
    std::int64_t Now = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now().time_since_epoch())
                           .count();
    std::map<std::int32_t, std::vector<int>> At;
    std::int32_t Last = 0;
    int Periods = 0;
};

} // namespace

TEST(TimingTimerList, OnA100BaseEventsTickAtTheirIntervalsTheLongerFirst) {
    TManualList List;
    const std::int32_t Short = List.Add(nullptr, 300);
    const std::int32_t Long = List.Add(nullptr, 500);
    List.ItemByHandle(Short)->SetRepeatCount(1); // ignored: the event is cycled
    List.SetActive(true);
    EXPECT_EQ(List.BaseInterval(), 100);
    List.Run(15, 100);
    EXPECT_EQ(List.At[Short], (std::vector<int>{3, 6, 9, 12, 15}));
    EXPECT_EQ(List.At[Long], (std::vector<int>{5, 10, 15}));
    // Within one period the later (longer) events fire first.
    EXPECT_EQ(std::pair(List.Last, List.Active()), std::pair(Short, true));
}

TEST(TimingTimerList, RealTicksFireOnTheUserInterfaceThreadUntilTheListStops) {
    TRxTimerList List;
    int Ticks = 0;
    bool OnUi = true;
    List.Add(
        [&](QObject*) {
            ++Ticks;
            OnUi = OnUi && OnUiThread();
        },
        50);
    List.SetActive(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Ticks >= 2; }, LongWaitMs));
    EXPECT_TRUE(OnUi);
    List.SetActive(false);
    const int Stood = Ticks;
    TRxTimerList Later; // ticks later than the stopped list would have
    bool LaterTicked = false;
    Later.Add([&](QObject*) { LaterTicked = true; }, 100);
    Later.SetActive(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return LaterTicked; }, LongWaitMs));
    EXPECT_EQ(Ticks, Stood);
}

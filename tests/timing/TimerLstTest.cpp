// TRxTimerList: base intervals, firing order and counts, ownership, real ticks.
#include "timing/TimerLst.h"

#include "TimingTestSupport.h"

#include <QPointer>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {

// A list on a clock the test moves by hand; the test also delivers the periods itself, so
// nothing depends on how fast the machine runs.
class TManualList : public TRxTimerList {
public:
    // Starts at the real tick count, so events created a moment ago are not overdue.
    std::int64_t Now = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now().time_since_epoch())
                           .count();
    std::int64_t Clock() const override { return Now; }
    void Period(std::int64_t Ms) {
        Now += Ms;
        HandleTimer();
    }
};

// A list on the manual clock, with a record of the periods at which each event fired.
class TimingManualList : public testing::Test {
protected:
    void SetUp() override {
        List.SetOnTimers(
            [this](QObject*, std::int32_t Handle) { Fired.emplace_back(Periods, Handle); });
        List.SetOnFinish([this](QObject*) { ++Finished; });
    }
    void Run(int Count, std::int64_t Ms) {
        for (int I = 0; I < Count; ++I) {
            ++Periods;
            List.Period(Ms);
        }
    }
    // The periods, counted from 1, at which the event fired.
    std::vector<int> At(std::int32_t Handle) const {
        std::vector<int> Result;
        for (const auto& [Period, Which] : Fired) {
            if (Which == Handle) {
                Result.push_back(Period);
            }
        }
        return Result;
    }

    TManualList List;
    std::vector<std::pair<int, std::int32_t>> Fired; // in firing order
    int Periods = 0;
    int Finished = 0;
};

} // namespace

TEST(TimingTimerList, EventsMoveBetweenListsLeaveWhenFreedAndGoWithTheirList) {
    auto First = std::make_unique<TRxTimerList>();
    TRxTimerList Second;
    QObject Owner;
    auto* Event = new TRxTimerEvent(&Owner); // as the main window makes its comment timer
    Event->SetParentList(First.get());
    EXPECT_EQ(std::tuple(First->Count(), Event->Handle(), Event->ParentList()),
              std::tuple(1, 1, First.get()));
    Event->SetParentList(&Second);
    EXPECT_EQ(std::tuple(First->Count(), Second.Count()), std::tuple(0, 1));
    delete Event;
    EXPECT_EQ(Second.Count(), 0);

    // Destroyed, a list frees its own events and those that joined it.
    QPointer<TRxTimerEvent> Joined = new TRxTimerEvent(&Owner);
    EXPECT_EQ(First->AddItem(Joined), 2);
    EXPECT_EQ(First->AddItem(Joined), 2); // already there
    QPointer<TRxTimerEvent> Own = First->ItemByHandle(First->Add(nullptr, 100));
    First->SetActive(true);
    First.reset();
    EXPECT_TRUE(Own.isNull());
    EXPECT_TRUE(Joined.isNull());
}

TEST_F(TimingManualList, OnA100BaseCycledEventsTickAtTheirIntervalsWhileANonCycledOneStops) {
    const std::int32_t Short = List.Add(nullptr, 300);
    const std::int32_t Long = List.Add(nullptr, 500);
    const std::int32_t Twice = List.Add(nullptr, 200, false);
    List.ItemByHandle(Twice)->SetRepeatCount(2);
    List.ItemByHandle(Short)->SetRepeatCount(1); // ignored: the event is cycled
    List.SetActive(true);
    EXPECT_EQ(List.BaseInterval(), 100);
    EXPECT_EQ(List.ArmedInterval(), 100);
    Run(15, 100);
    EXPECT_EQ(At(Short), (std::vector<int>{3, 6, 9, 12, 15}));
    EXPECT_EQ(At(Long), (std::vector<int>{5, 10, 15}));
    EXPECT_EQ(At(Twice), (std::vector<int>{2, 4}));
    // Within one period the later (longer) events fire first.
    EXPECT_EQ(Fired.back().second, Short);
    EXPECT_TRUE(List.Active());
    EXPECT_EQ(List.BaseInterval(), 100);
    EXPECT_EQ(Finished, 0);
}

TEST_F(TimingManualList, TwentySecondsRecalculatedTenMillisecondsLateGives160) {
    List.Add(nullptr, 20000);
    List.SetActive(true);
    EXPECT_EQ(List.BaseInterval(), 20000);
    List.CalculateInterval(List.Now + 10);
    EXPECT_EQ(List.BaseInterval(), 160);
}

TEST(TimingTimerList, RealTicksFireOnTheUserInterfaceThread) {
    TRxTimerList List;
    int Ticks = 0, Finished = 0;
    bool OnUi = false;
    const std::int32_t Handle = List.Add(
        [&](QObject*) {
            ++Ticks;
            OnUi = OnUiThread();
        },
        100, false);
    List.ItemByHandle(Handle)->SetRepeatCount(1);
    List.SetOnFinish([&](QObject*) { ++Finished; });
    List.SetActive(true);
    ASSERT_TRUE(WaitFor([&] { return Finished > 0; }));
    RunEventLoopFor(300);
    EXPECT_EQ(Ticks, 1);
    EXPECT_TRUE(OnUi);
    EXPECT_FALSE(List.Active());
}

TEST(TimingTimerList, AThousandCreateActivateDestroyCycles) {
    int Fired = 0;
    for (int Cycle = 0; Cycle < 1000; ++Cycle) {
        TRxTimerList List;
        List.Add([&](QObject*) { ++Fired; }, 100);
        List.SetActive(true);
        if (Cycle % 100 == 0) {
            QCoreApplication::processEvents();
        }
    }
    const int Before = Fired;
    RunEventLoopFor(200);
    EXPECT_EQ(Fired, Before);
}

TEST(TimingTimerList, OnAThreadWithoutEventLoopActivatingRaisesNotEnoughTimers) {
    std::string Error;
    bool Active = true;
    std::thread Plain([&] {
        TRxTimerList List;
        List.Add(nullptr, 100);
        try {
            List.SetActive(true);
        } catch (const ETimerUnavailable& E) {
            Error = E.what();
        }
        Active = List.Active();
    });
    Plain.join();
    EXPECT_EQ(Error, "Not enough timers available");
    EXPECT_FALSE(Active);
}

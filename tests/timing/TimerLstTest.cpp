// TRxTimerList: base intervals, firing order and counts, long intervals, ownership, real ticks.
#include "timing/TimerLst.h"

#include "TimingTestSupport.h"

#include <QPointer>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
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

struct Fired {
    std::vector<std::int32_t> Handles; // in firing order, from OnTimers
    int Finished = 0;

    void Attach(TRxTimerList& List) {
        List.SetOnTimers([this](QObject*, std::int32_t Handle) { Handles.push_back(Handle); });
        List.SetOnFinish([this](QObject*) { ++Finished; });
    }
    int Count(std::int32_t Handle) const {
        return static_cast<int>(std::count(Handles.begin(), Handles.end(), Handle));
    }
};

} // namespace

TEST(TimingTimerList, IntervalNeverBelowOneHundred) {
    TRxTimerEvent Event;
    Event.SetInterval(50);
    EXPECT_EQ(Event.Interval(), 100);
    TRxTimerList List;
    const std::int32_t Handle = List.Add(nullptr, 20);
    EXPECT_EQ(List.ItemByHandle(Handle)->Interval(), 100);
}

TEST(TimingTimerList, RepeatCountIsAtLeastOneUnlessCycled) {
    TRxTimerEvent Event;
    Event.SetCycled(false);
    Event.SetRepeatCount(-3);
    EXPECT_EQ(Event.RepeatCount(), 1);
    Event.SetCycled(true);
    Event.SetRepeatCount(-5);
    EXPECT_EQ(Event.RepeatCount(), 0);
    EXPECT_TRUE(Event.Enabled());
}

TEST(TimingTimerList, HandlesCountUpAndEventsStaySortedByInterval) {
    TRxTimerList List;
    EXPECT_EQ(List.Add(nullptr, 500), 1);
    EXPECT_EQ(List.Add(nullptr, 300), 2);
    EXPECT_EQ(List.Add(nullptr, 300), 3);
    ASSERT_EQ(List.Count(), 3);
    EXPECT_EQ(List.Events()[0]->Handle(), 2); // equal intervals keep their order
    EXPECT_EQ(List.Events()[1]->Handle(), 3);
    EXPECT_EQ(List.Events()[2]->Handle(), 1);
    List.ItemByHandle(1)->SetInterval(200);
    EXPECT_EQ(List.Events()[0]->Handle(), 1);

    QPointer<TRxTimerEvent> Second = List.ItemByHandle(2);
    List.Delete(2);
    EXPECT_TRUE(Second.isNull());
    List.Delete(42); // unknown: nothing happens
    EXPECT_EQ(List.Count(), 2);
    EXPECT_EQ(List.Add(nullptr, 100), 4);
}

TEST(TimingTimerList, EventsMoveBetweenListsAndLeaveWhenFreed) {
    TRxTimerList First;
    TRxTimerList Second;
    auto* Event = new TRxTimerEvent;
    EXPECT_EQ(First.AddItem(Event), 1);
    EXPECT_EQ(First.AddItem(Event), 1); // already there
    EXPECT_EQ(First.Count(), 1);
    Event->SetParentList(&Second);
    EXPECT_EQ(First.Count(), 0);
    EXPECT_EQ(Second.Count(), 1);
    EXPECT_EQ(Event->ParentList(), &Second);
    EXPECT_EQ(Second.AddItem(nullptr), -1);
    delete Event;
    EXPECT_EQ(Second.Count(), 0);
}

TEST(TimingTimerList, DestroyingTheListFreesItsEvents) {
    auto List = std::make_unique<TRxTimerList>();
    QObject Owner;
    auto* Outside = new TRxTimerEvent(&Owner);
    List->AddItem(Outside);
    QPointer<TRxTimerEvent> Own = List->ItemByHandle(List->Add(nullptr, 100));
    QPointer<TRxTimerEvent> Joined = Outside;
    List->SetActive(true);
    List.reset();
    EXPECT_TRUE(Own.isNull());
    EXPECT_TRUE(Joined.isNull());
}

TEST(TimingTimerList, EventsOf300And500TickOnA100Base) {
    TManualList List;
    Fired F;
    F.Attach(List);
    const std::int32_t Short = List.Add(nullptr, 300);
    const std::int32_t Long = List.Add(nullptr, 500);
    List.SetActive(true);
    EXPECT_EQ(List.BaseInterval(), 100);
    EXPECT_EQ(List.ArmedInterval(), 100);
    std::vector<int> ShortAt;
    std::vector<int> LongAt;
    for (int Tick = 1; Tick <= 15; ++Tick) {
        const int ShortBefore = F.Count(Short);
        const int LongBefore = F.Count(Long);
        List.Period(100);
        if (F.Count(Short) > ShortBefore) {
            ShortAt.push_back(Tick);
        }
        if (F.Count(Long) > LongBefore) {
            LongAt.push_back(Tick);
        }
    }
    EXPECT_EQ(ShortAt, (std::vector<int>{3, 6, 9, 12, 15}));
    EXPECT_EQ(LongAt, (std::vector<int>{5, 10, 15}));
    // Within one period the later (longer) events fire first.
    EXPECT_EQ(F.Handles.back(), Short);
    EXPECT_TRUE(List.Active());
}

TEST(TimingTimerList, TwentySecondsRecalculatedTenMillisecondsLateGives160) {
    TManualList List;
    List.Add(nullptr, 20000);
    List.SetActive(true);
    EXPECT_EQ(List.BaseInterval(), 20000);
    List.CalculateInterval(List.Now + 10);
    EXPECT_EQ(List.BaseInterval(), 160);
}

TEST(TimingTimerList, NonCycledRepeatOnceFiresOnceThenTheListFinishes) {
    TManualList List;
    Fired F;
    F.Attach(List);
    int Own = 0;
    const std::int32_t Handle = List.Add(
        [&](QObject* Sender) {
            EXPECT_EQ(Sender, List.ItemByHandle(1));
            ++Own;
        },
        1000, false);
    List.ItemByHandle(Handle)->SetRepeatCount(1);
    List.SetActive(true);
    List.Period(999);
    EXPECT_EQ(Own, 1);
    EXPECT_EQ(F.Handles, std::vector<std::int32_t>{Handle});
    EXPECT_FALSE(List.ItemByHandle(Handle)->Enabled());
    EXPECT_FALSE(List.Active());
    EXPECT_EQ(F.Finished, 1);
    EXPECT_EQ(List.ArmedInterval(), 0);
}

TEST(TimingTimerList, NonCycledEventStopsWhileOthersGoOn) {
    TManualList List;
    Fired F;
    F.Attach(List);
    const std::int32_t Once = List.Add(nullptr, 200, false);
    List.ItemByHandle(Once)->SetRepeatCount(2);
    const std::int32_t Always = List.Add(nullptr, 300);
    List.SetActive(true);
    for (int Tick = 0; Tick < 30; ++Tick) {
        List.Period(100);
    }
    EXPECT_EQ(F.Count(Once), 2);
    EXPECT_EQ(F.Count(Always), 10);
    EXPECT_TRUE(List.Active());
    EXPECT_EQ(List.BaseInterval(), 100);
    EXPECT_EQ(F.Finished, 0);
}

TEST(TimingTimerList, CycledRepeatOnceFiresForEver) {
    TManualList List;
    Fired F;
    F.Attach(List);
    const std::int32_t Handle = List.Add(nullptr, 20000, true);
    List.ItemByHandle(Handle)->SetRepeatCount(1);
    List.SetActive(true);
    for (int Period = 0; Period < 50; ++Period) {
        List.Period(20000);
    }
    EXPECT_EQ(F.Count(Handle), 50);
    EXPECT_TRUE(List.Active());
    EXPECT_TRUE(List.ItemByHandle(Handle)->Enabled());
    EXPECT_EQ(F.Finished, 0);
}

TEST(TimingTimerList, LongBaseIsArmedInStepsAndFiresAtItsInterval) {
    TManualList List;
    Fired F;
    F.Attach(List);
    const std::int32_t Handle = List.Add(nullptr, 100000);
    List.SetActive(true);
    EXPECT_EQ(List.BaseInterval(), 100000);
    for (int Round = 0; Round < 3; ++Round) {
        EXPECT_EQ(List.ArmedInterval(), 65535);
        List.Period(65535);
        EXPECT_EQ(F.Count(Handle), Round);
        EXPECT_EQ(List.ArmedInterval(), 34465);
        List.Period(34465);
        EXPECT_EQ(F.Count(Handle), Round + 1);
    }
}

TEST(TimingTimerList, HandlersMayFreeEventsOrTheListWhileItFires) {
    auto* List = new TManualList;
    int Fired = 0;
    const std::int32_t First = List->Add([&](QObject*) { ++Fired; }, 100);
    List->Add(
        [&](QObject*) {
            ++Fired;
            List->Delete(First);
        },
        100);
    List->Add(
        [&](QObject*) {
            ++Fired;
            delete List;
        },
        100);
    List->SetActive(true);
    List->Period(100);
    EXPECT_EQ(Fired, 1); // the last event fires first and frees the list
}

TEST(TimingTimerList, ActivatingWithNoEventWaitsForOne) {
    TManualList List;
    Fired F;
    F.Attach(List);
    List.SetActive(true);
    EXPECT_TRUE(List.Active());
    EXPECT_EQ(List.ArmedInterval(), 0);
    List.Add(nullptr, 500);
    EXPECT_EQ(List.ArmedInterval(), 500);
    List.ItemByHandle(1)->SetEnabled(false);
    List.Add(nullptr, 100000);
    List.Delete(2); // the last enabled event leaves
    EXPECT_FALSE(List.Active());
    EXPECT_EQ(F.Finished, 1);
}

TEST(TimingTimerList, RealTicksFireOnTheUserInterfaceThread) {
    TRxTimerList List;
    Fired F;
    F.Attach(List);
    bool OnUi = false;
    const std::int32_t Handle = List.Add([&](QObject*) { OnUi = OnUiThread(); }, 100, false);
    List.ItemByHandle(Handle)->SetRepeatCount(1);
    List.SetActive(true);
    ASSERT_TRUE(WaitFor([&] { return F.Finished > 0; }));
    RunEventLoopFor(300);
    EXPECT_EQ(F.Handles, std::vector<std::int32_t>{Handle});
    EXPECT_TRUE(OnUi);
    EXPECT_FALSE(List.Active());
}

TEST(TimingTimerList, RefusedTimerRaisesNotEnoughTimersAndStaysInactive) {
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

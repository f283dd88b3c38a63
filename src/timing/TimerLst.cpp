// TRxTimerList and TRxTimerEvent: the base interval, the stepped event-loop timer and firing.
#include "timing/TimerLst.h"

#include <QPointer>

#include <algorithm>
#include <chrono>
#include <limits>

namespace {

constexpr std::int32_t MinInterval = 100;
constexpr std::int32_t MaxStep = 65535; // the longest single wait of the event-loop timer
constexpr std::int32_t Tolerance = 50;  // an event due this soon fires on the current period

std::int64_t SteadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

// ---- TRxTimerEvent ----

TRxTimerEvent::TRxTimerEvent(QObject* Owner) : QObject(Owner), FLastExecute(SteadyMs()) {}

TRxTimerEvent::~TRxTimerEvent() {
    if (FParentList) {
        FParentList->Remove(this);
    }
}

std::int64_t TRxTimerEvent::Now() const {
    return FParentList ? FParentList->Clock() : SteadyMs();
}

void TRxTimerEvent::SetEnabled(bool Value) {
    if (Value == FEnabled) {
        return;
    }
    FEnabled = Value;
    if (Value) {
        FExecCount = 0;
        FLastExecute = Now();
        if (FParentList) {
            FParentList->Changed();
        }
    }
}

void TRxTimerEvent::SetInterval(std::int32_t Value) {
    Value = std::max(Value, MinInterval);
    if (Value != FInterval) {
        FInterval = Value;
        if (FParentList) {
            FParentList->Changed();
        }
    }
}

void TRxTimerEvent::SetParentList(TRxTimerList* List) {
    if (List != FParentList) {
        if (FParentList) {
            FParentList->Remove(this);
        }
        if (List) {
            List->Insert(this);
        }
    }
}

void TRxTimerEvent::SetRepeatCount(std::int32_t Value) {
    if (Value == FRepeatCount) {
        return;
    }
    Value = std::max(Value, FCycled ? 0 : 1);
    // A cycled event ignores its repeat count, so lowering it must not stop the event.
    if (!FCycled && FEnabled && Value <= FExecCount) {
        FEnabled = false;
    }
    FRepeatCount = Value;
}

// ---- TRxTimerList ----

TRxTimerList::TRxTimerList(QObject* Owner) : QObject(Owner) {
    // A coarse timer may come up to 5% early, and an event due a second later than the
    // 50 ms tolerance would then wait a whole extra period.
    FWindowTimer.setTimerType(Qt::PreciseTimer);
    connect(&FWindowTimer, &QTimer::timeout, this, [this] {
        try {
            HandleTimer();
        } catch (const std::exception& Error) {
            ReportTimerError(Error);
        }
    });
}

TRxTimerList::~TRxTimerList() {
    // The owner is already being torn down, so OnFinish is not run here.
    FDestroying = true;
    FWindowTimer.stop();
    FWindowOwned = false;
    FActive = false;
    while (!FEvents.empty()) {
        TRxTimerEvent* Event = FEvents.back();
        FEvents.pop_back();
        Event->FParentList = nullptr;
        delete Event;
    }
}

std::int64_t TRxTimerList::Clock() const {
    return SteadyMs();
}

std::int32_t TRxTimerList::EnabledCount() const {
    return static_cast<std::int32_t>(
        std::count_if(FEvents.begin(), FEvents.end(), [](auto* E) { return E->FEnabled; }));
}

std::int32_t TRxTimerList::ArmedInterval() const {
    return FWindowTimer.timerId() > 0 ? FWindowTimer.interval() : 0;
}

void TRxTimerList::SetActive(bool Value) {
    if (Value == FActive) {
        return;
    }
    FWaitedPart = 0;
    if (Value) {
        FWindowOwned = true;
        const std::int64_t Now = Clock();
        for (TRxTimerEvent* Event : FEvents) {
            if (Event->FEnabled) {
                Event->FLastExecute = Now;
            }
        }
        CalculateInterval(Now);
        Sort();
        UpdateTimer();
        FActive = true;
    } else {
        FWindowTimer.stop();
        FWindowOwned = false;
        FActive = false;
        RunTimerHandler(FOnFinish, static_cast<QObject*>(this));
    }
}

std::int32_t TRxTimerList::Add(TNotifyEvent Handler, std::int32_t Interval, bool Cycled) {
    auto* Event = new TRxTimerEvent(this);
    Event->FLastExecute = Clock();
    Event->FOnTimer = std::move(Handler);
    Event->FInterval = std::max(Interval, MinInterval);
    Event->FCycled = Cycled;
    Insert(Event);
    return Event->FHandle;
}

std::int32_t TRxTimerList::AddItem(TRxTimerEvent* Event) {
    if (!Event) {
        return -1;
    }
    // Already here: adding it twice would free it twice.
    if (Event->FParentList != this) {
        Event->SetParentList(this);
    }
    return Event->FHandle;
}

void TRxTimerList::Delete(std::int32_t Handle) {
    if (TRxTimerEvent* Event = ItemByHandle(Handle)) {
        Remove(Event);
        delete Event;
    }
}

TRxTimerEvent* TRxTimerList::ItemByHandle(std::int32_t Handle) const {
    const auto Found = std::find_if(FEvents.begin(), FEvents.end(),
                                    [Handle](auto* E) { return E->FHandle == Handle; });
    return Found == FEvents.end() ? nullptr : *Found;
}

std::int32_t TRxTimerList::NextHandle() {
    return ++FSequence;
}

void TRxTimerList::Insert(TRxTimerEvent* Event) {
    FEvents.push_back(Event);
    Event->FHandle = NextHandle();
    Event->FParentList = this;
    CalculateInterval(Clock());
    Sort();
    UpdateTimer();
}

void TRxTimerList::Remove(TRxTimerEvent* Event) {
    FEvents.erase(std::remove(FEvents.begin(), FEvents.end(), Event), FEvents.end());
    Event->FParentList = nullptr;
    Event->FHandle = -1;
    if (FActive && !FDestroying) {
        CalculateInterval(Clock());
        UpdateTimer();
    }
}

void TRxTimerList::Changed() {
    CalculateInterval(Clock());
    Sort();
    UpdateTimer();
}

void TRxTimerList::Sort() {
    std::stable_sort(FEvents.begin(), FEvents.end(),
                     [](auto* A, auto* B) { return A->FInterval < B->FInterval; });
}

void TRxTimerList::CalculateInterval(std::int64_t Now) {
    const std::int32_t Old = FInterval;
    std::int64_t Base = std::numeric_limits<std::int32_t>::max();
    bool AnyEnabled = false;
    for (const TRxTimerEvent* Event : FEvents) {
        if (Event->FEnabled) {
            AnyEnabled = true;
            const std::int64_t Left = Event->FInterval - (Now - Event->FLastExecute);
            Base = std::min({Base, std::int64_t{Event->FInterval}, Left});
        }
    }
    if (!AnyEnabled) {
        FInterval = 0;
    } else {
        Base = std::max<std::int64_t>(Base, MinInterval);
        // Shrink the base until every interval (of enabled and disabled events) is a multiple.
        while (Base > MinInterval) {
            const auto Odd = std::find_if(FEvents.begin(), FEvents.end(),
                                          [Base](auto* E) { return E->FInterval % Base != 0; });
            if (Odd == FEvents.end()) {
                break;
            }
            Base -= (*Odd)->FInterval % Base;
        }
        FInterval = static_cast<std::int32_t>(std::max<std::int64_t>(Base, MinInterval));
    }
    // Steps already waited belong to the old base.
    if (FInterval != Old) {
        FWaitedPart = 0;
    }
}

void TRxTimerList::UpdateTimer() {
    std::int32_t Step = FInterval;
    if (FInterval <= MaxStep) {
        FWaitedPart = 0;
    } else if (FInterval - FWaitedPart <= MaxStep) {
        Step = FInterval - FWaitedPart;
        FWaitedPart = 0;
    } else {
        Step = MaxStep;
        FWaitedPart += MaxStep;
    }
    if (!FWindowOwned) {
        return;
    }
    FWindowTimer.stop();
    if (FInterval == 0 || EnabledCount() == 0) {
        SetActive(false);
        return;
    }
    FWindowTimer.start(Step);
    if (FWindowTimer.timerId() <= 0) { // 0: the event loop refused it
        FWindowOwned = false;
        SetActive(false);
        throw ETimerUnavailable();
    }
}

void TRxTimerList::HandleTimer() {
    if (FWaitedPart != 0) {
        UpdateTimer(); // the middle of a long base interval
        return;
    }
    if (!FActive) {
        return;
    }
    QPointer<TRxTimerList> Self(this);
    const bool Disabled = ProcessEvents();
    if (!Self || !FActive) {
        return;
    }
    if (Disabled) {
        if (EnabledCount() == 0) {
            SetActive(false);
        } else {
            CalculateInterval(Clock());
            UpdateTimer();
        }
    } else if (FInterval > MaxStep) {
        UpdateTimer(); // back to the first step of the next long base interval
    }
}

bool TRxTimerList::ProcessEvents() {
    const std::int64_t Now = Clock();
    // Handlers may add, remove or free events, or free the list.
    std::vector<QPointer<TRxTimerEvent>> Order(FEvents.rbegin(), FEvents.rend());
    QPointer<TRxTimerList> Self(this);
    bool Disabled = false;
    for (const QPointer<TRxTimerEvent>& Item : Order) {
        TRxTimerEvent* Event = Item.data();
        if (!Self) {
            break;
        }
        if (!Event || Event->FParentList != this || !Event->FEnabled ||
            Now - Event->FLastExecute < Event->FInterval - Tolerance) {
            continue;
        }
        Event->FLastExecute = Now;
        ++Event->FExecCount;
        Event->FEnabled = Event->FCycled || Event->FExecCount != Event->FRepeatCount;
        Disabled = Disabled || !Event->FEnabled;
        DoTimer(Event);
    }
    return Disabled;
}

void TRxTimerList::DoTimer(TRxTimerEvent* Event) {
    const std::int32_t Handle = Event->FHandle;
    QPointer<TRxTimerList> Self(this);
    RunTimerHandler(Event->FOnTimer, static_cast<QObject*>(Event));
    if (Self) {
        RunTimerHandler(FOnTimers, static_cast<QObject*>(this), Handle);
    }
}

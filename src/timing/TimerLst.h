// TRxTimerList and TRxTimerEvent: many logical timers multiplexed onto one event-loop timer.
#pragma once

#include "timing/TimerTypes.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <vector>

class TRxTimerList;

// Handler of TRxTimerList::OnTimers: the list, and the handle of the event that fired.
using TAllTimersEvent = std::function<void(QObject* Sender, std::int32_t Handle)>;

// One logical timer of a TRxTimerList. Its QObject owner frees it; the list it belongs to
// (ParentList) frees it too when the list is destroyed or the event removed by handle.
class TRxTimerEvent : public QObject {
    Q_OBJECT
public:
    explicit TRxTimerEvent(QObject* Owner = nullptr);
    ~TRxTimerEvent() override;

    // Repeats for ever; RepeatCount is then ignored.
    bool Cycled() const { return FCycled; }
    void SetCycled(bool Value) { FCycled = Value; }

    // Enabling restarts the count and the period and recalculates the list's base interval;
    // disabling only stores.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);

    std::int32_t ExecCount() const { return FExecCount; }
    // Given by the list (1, 2, 3, ...); -1 outside a list.
    std::int32_t Handle() const { return FHandle; }

    // Milliseconds, never below 100.
    std::int32_t Interval() const { return FInterval; }
    void SetInterval(std::int32_t Value);

    // Millisecond tick count when the event last fired or was enabled.
    std::int64_t LastExecute() const { return FLastExecute; }

    TRxTimerList* ParentList() const { return FParentList; }
    // Leaves the old list (if any) and joins the new one (if any).
    void SetParentList(TRxTimerList* List);

    // For a non-cycled event: fire this many times (at least 1), then disable itself.
    std::int32_t RepeatCount() const { return FRepeatCount; }
    void SetRepeatCount(std::int32_t Value);

    // Sender is the event.
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent Handler) { FOnTimer = std::move(Handler); }

private:
    friend class TRxTimerList;
    std::int64_t Now() const;

    bool FCycled = true;
    bool FEnabled = true;
    std::int32_t FExecCount = 0;
    std::int32_t FHandle = -1;
    std::int32_t FInterval = 1000;
    std::int64_t FLastExecute;
    TRxTimerList* FParentList = nullptr;
    std::int32_t FRepeatCount = 0;
    TNotifyEvent FOnTimer;
};

// Serves any number of events with one event-loop timer whose period (the base interval) is
// the largest one that divides every event's interval, at least 100 ms. An event fires when
// it is due within 50 ms. Base intervals above 65535 ms are served in steps of at most 65535
// ms, and their events fire when the whole base interval has passed. Handlers run on the
// user-interface thread.
class TRxTimerList : public QObject {
    Q_OBJECT
public:
    explicit TRxTimerList(QObject* Owner = nullptr);
    ~TRxTimerList() override;

    // Sorted by Interval, ascending.
    const std::vector<TRxTimerEvent*>& Events() const { return FEvents; }

    bool Active() const { return FActive; }
    // Activating restarts the period of every enabled event; deactivating runs OnFinish.
    // Throws ETimerUnavailable (after deactivating) when the event loop refuses a timer.
    void SetActive(bool Value);

    const TNotifyEvent& OnFinish() const { return FOnFinish; }
    void SetOnFinish(TNotifyEvent Handler) { FOnFinish = std::move(Handler); }

    // Runs after each event's own OnTimer; sender is the list.
    const TAllTimersEvent& OnTimers() const { return FOnTimers; }
    void SetOnTimers(TAllTimersEvent Handler) { FOnTimers = std::move(Handler); }

    // Adds a new event owned by the list; returns its handle.
    std::int32_t Add(TNotifyEvent Handler, std::int32_t Interval, bool Cycled = true);
    // Adds an existing event (leaving its old list); returns its handle, -1 for none.
    std::int32_t AddItem(TRxTimerEvent* Event);
    // Removes and frees the event with this handle; an unknown handle does nothing.
    void Delete(std::int32_t Handle);
    TRxTimerEvent* ItemByHandle(std::int32_t Handle) const;

    std::int32_t Count() const { return static_cast<std::int32_t>(FEvents.size()); }
    std::int32_t EnabledCount() const;

    // Period the events are checked at, in milliseconds; 0 with no enabled event.
    std::int32_t BaseInterval() const { return FInterval; }
    // Part of a base interval above 65535 ms already armed.
    std::int32_t WaitedPart() const { return FWaitedPart; }
    // Period the event-loop timer runs at now; 0 when it is not running.
    std::int32_t ArmedInterval() const;

    // Recomputes the base interval as of the tick count Now.
    void CalculateInterval(std::int64_t Now);

    // The millisecond tick count (monotonic, 64-bit).
    virtual std::int64_t Clock() const;

protected:
    // The handle for the next event to join.
    virtual std::int32_t NextHandle();
    // Fires one event: its OnTimer, then OnTimers.
    virtual void DoTimer(TRxTimerEvent* Event);
    // What the event-loop timer runs at each period.
    void HandleTimer();

private:
    friend class TRxTimerEvent;
    void Insert(TRxTimerEvent* Event);
    void Remove(TRxTimerEvent* Event);
    void Changed(); // an event's Enabled or Interval changed
    void Sort();
    void UpdateTimer();
    bool ProcessEvents(); // true when an event disabled itself

    std::vector<TRxTimerEvent*> FEvents;
    bool FActive = false;
    bool FWindowOwned = false; // the event-loop timer may run (the list is or becomes active)
    QTimer FWindowTimer;
    std::int32_t FInterval = 0;
    std::int32_t FSequence = 0;
    std::int32_t FWaitedPart = 0;
    bool FDestroying = false;
    TNotifyEvent FOnFinish;
    TAllTimersEvent FOnTimers;
};

// Rennor Emperor behind the player interface: the search on a worker thread with a stop flag.
#pragma once

#include "players/ComputerPlayer.h"
#include "search/Emperor.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

inline constexpr char EmperorName[] = "Rennor Emperor";

// The question's position as the search takes it: squares from 0.
TSearchPosition SearchPosition(const TMoveQuestion& question);

// The user-interface thread never waits for the search: a question is handed to the worker, a
// cancellation sets the stop flag, and the answer comes back as an event.
class TEmperorPlayer final : public TComputerPlayer {
    Q_OBJECT

public:
    explicit TEmperorPlayer(std::chrono::milliseconds moveTime, QObject* parent = nullptr);
    // Stops the search and joins the worker, which the stop flag frees within a millisecond.
    ~TEmperorPlayer() override;

    QString Name() const override { return QString::fromLatin1(EmperorName); }
    void Ask(const TMoveQuestion& question) override;
    void Cancel() override;

private:
    void Work();
    void Deliver(const TMoveQuestion& question, const TSearchResult& result);

    const std::chrono::milliseconds MoveTime;
    TEmperor Emperor; // only the worker touches it
    std::size_t LastStoneCount = 0;
    TRule LastRule = TRule::Freestyle;

    std::mutex Lock; // guards Next, Current and Quit
    std::condition_variable Wake;
    std::optional<TMoveQuestion> Next; // waiting for the worker
    std::uint64_t Current = 0;         // the ticket the user-interface thread waits for; 0: none
    bool Quit = false;
    std::atomic<bool> Stop{false};
    std::thread Worker;
};

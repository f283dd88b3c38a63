// The computer's part of a swap opening, thought out by Rennor Emperor off the user-interface
// thread.
#pragma once

#include "players/ComputerPlayer.h"
#include "search/OpeningMoves.h"

#include <QObject>
#include <chrono>
#include <thread>

// One decision of the opening: the stones to place, or the choice of colour.
struct TOpeningDecision {
    std::vector<TMoveRecord> Stones; // squares counted from 1, as the game counts them
    TOpeningChoice Choice = TOpeningChoice::PlayWhite;
};

// Every computer player decides its opening through Emperor: the brain protocol has no way to ask
// an external engine, and Rennor King never plays an opening.
class TOpeningAdvisor final : public QObject {
    Q_OBJECT

public:
    explicit TOpeningAdvisor(std::chrono::milliseconds budget, QObject* parent = nullptr);
    // Stops the thinking and waits the millisecond it takes to end.
    ~TOpeningAdvisor() override;

    // Places count stones on question's position; Decided follows unless cancelled first.
    void AskPlacement(const TMoveQuestion& question, int count);
    // Chooses the colour to hold; mayPlaceTwo lets it place two more instead.
    void AskChoice(const TMoveQuestion& question, bool mayPlaceTwo);
    // Drops the question: no decision about it ever comes.
    void Cancel();

signals:
    void Decided(std::uint64_t ticket, const TOpeningDecision& decision);

private:
    template <typename F> void Think(std::uint64_t ticket, F decide);

    const std::chrono::milliseconds Budget;
    std::uint64_t Current = 0; // the ticket waited for, on the user-interface thread; 0: none
    std::jthread Worker;
};

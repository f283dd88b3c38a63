// Each decision on a thread of its own: an opening asks a few times a game at most.
#include "players/OpeningAdvisor.h"

#include "players/EmperorPlayer.h"

#include <QMetaObject>
#include <random>

TOpeningAdvisor::TOpeningAdvisor(std::chrono::milliseconds budget, QObject* parent)
    : QObject(parent), Budget(budget) {}

TOpeningAdvisor::~TOpeningAdvisor() {
    Cancel();
}

template <typename F> void TOpeningAdvisor::Think(std::uint64_t ticket, F decide) {
    Cancel();
    Current = ticket;
    Worker = std::jthread([this, ticket, decide](std::stop_token stop) {
        TOpeningDecision decision = decide(stop);
        if (stop.stop_requested()) {
            return;
        }
        QMetaObject::invokeMethod(
            this,
            [this, ticket, decision] {
                if (Current == ticket) {
                    Current = 0;
                    emit Decided(ticket, decision);
                }
            },
            Qt::QueuedConnection);
    });
}

void TOpeningAdvisor::AskPlacement(const TMoveQuestion& question, int count) {
    const TSearchPosition position = SearchPosition(question);
    const std::uint64_t seed = std::random_device{}();
    Think(question.Ticket, [=, this](std::stop_token stop) {
        TOpeningDecision decision;
        for (const TSearchStone& s : BalancedPlacement(position, count, seed, Budget, stop)) {
            decision.Stones.push_back({s.Color, s.X + 1, s.Y + 1, {}});
        }
        return decision;
    });
}

void TOpeningAdvisor::AskChoice(const TMoveQuestion& question, bool mayPlaceTwo) {
    const TSearchPosition position = SearchPosition(question);
    Think(question.Ticket, [=, this](std::stop_token stop) {
        return TOpeningDecision{{}, ChooseOpeningColour(position, mayPlaceTwo, Budget, stop)};
    });
}

void TOpeningAdvisor::Cancel() {
    Current = 0;
    Worker.request_stop();
    if (Worker.joinable()) {
        Worker.join();
    }
}

// The analysis worker: one job at a time, the newest, stopped at once when it is replaced.
#include "players/Analyser.h"

#include <QMetaObject>
#include <chrono>

namespace {

using namespace std::chrono_literals;

// A quick first word, then deeper ones; after the last the worker rests, so an idle game does
// not keep a core busy.
constexpr std::chrono::milliseconds Budgets[] = {150ms, 600ms, 2500ms, 10000ms};
// Per position of a review: enough for the threat searches that decide who wins.
constexpr auto ReviewBudget = 300ms;

} // namespace

TAnalyser::TAnalyser(QObject* parent) : QObject(parent), Worker([this] { Work(); }) {}

TAnalyser::~TAnalyser() {
    {
        const std::lock_guard guard(Lock);
        Quit = true;
        StopFlag = true;
    }
    Wake.notify_one();
    Worker.join();
}

void TAnalyser::Analyse(const TSearchPosition& position) {
    Start([this, position](std::uint64_t ticket) {
        for (const auto budget : Budgets) {
            const TAnalysis a = ::Analyse(Emperor, position, budget, StopFlag);
            if (StopFlag) {
                return;
            }
            Post(ticket, [this, a] { emit Analysed(a); });
            if (a.Verdict == TAssessment::Wins || a.Verdict == TAssessment::Won ||
                a.Verdict == TAssessment::Full) {
                return; // settled: more time changes nothing
            }
        }
    });
}

void TAnalyser::Review(const TSearchPosition& start, const std::vector<TSearchStone>& moves) {
    Start([this, start, moves](std::uint64_t ticket) {
        const auto points =
            ReviewGame(Emperor, start, moves, ReviewBudget, StopFlag, [&](int done, int total) {
                Post(ticket, [this, done, total] { emit ReviewProgress(done, total); });
            });
        if (!StopFlag) {
            Post(ticket, [this, points] { emit ReviewDone(points); });
        }
    });
}

void TAnalyser::Start(TJob job) {
    {
        const std::lock_guard guard(Lock);
        Next = std::move(job);
        ++Ticket;
        StopFlag = true; // the running job ends; the worker clears the flag for the next
    }
    Wake.notify_one();
}

void TAnalyser::Stop() {
    const std::lock_guard guard(Lock);
    Next = nullptr;
    ++Ticket;
    StopFlag = true;
}

void TAnalyser::Post(std::uint64_t ticket, std::function<void()> report) {
    QMetaObject::invokeMethod(
        this,
        [this, ticket, report = std::move(report)] {
            bool current = false;
            {
                const std::lock_guard guard(Lock);
                current = ticket == Ticket;
            }
            if (current) {
                report();
            }
        },
        Qt::QueuedConnection);
}

void TAnalyser::Work() {
    while (true) {
        TJob job;
        std::uint64_t ticket = 0;
        {
            std::unique_lock guard(Lock);
            Busy = false;
            Wake.wait(guard, [this] { return Quit || Next != nullptr; });
            if (Quit) {
                return;
            }
            job = std::exchange(Next, nullptr);
            ticket = Ticket;
            StopFlag = false;
            Busy = true;
        }
        job(ticket);
    }
}

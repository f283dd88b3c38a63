// Rennor Emperor's worker: the newest question, thought about until the budget or the stop flag.
#include "players/EmperorPlayer.h"

#include <QMetaObject>

TSearchPosition SearchPosition(const TMoveQuestion& question) {
    TSearchPosition position;
    position.Size = question.Size;
    position.Rule = question.Rule;
    position.ToMove = question.ToMove;
    for (const TMoveRecord& m : question.Moves) {
        position.Stones.push_back({m.X - 1, m.Y - 1, m.Color});
    }
    return position;
}

TEmperorPlayer::TEmperorPlayer(std::chrono::milliseconds moveTime, QObject* parent)
    : TComputerPlayer(parent), MoveTime(moveTime), Worker([this] { Work(); }) {}

TEmperorPlayer::~TEmperorPlayer() {
    {
        const std::lock_guard guard(Lock);
        Quit = true;
        Stop = true;
    }
    Wake.notify_one();
    Worker.join();
}

void TEmperorPlayer::Ask(const TMoveQuestion& question) {
    Cancel();
    {
        const std::lock_guard guard(Lock);
        Next = question;
        Current = question.Ticket;
    }
    Wake.notify_one();
}

void TEmperorPlayer::Cancel() {
    std::uint64_t dropped = 0;
    {
        const std::lock_guard guard(Lock);
        std::swap(dropped, Current);
        Next.reset();
        Stop = true; // a search of the dropped question ends; the worker clears the flag
    }
    if (dropped != 0) {
        emit Cancelled(dropped);
    }
}

void TEmperorPlayer::Work() {
    while (true) {
        TMoveQuestion question;
        {
            std::unique_lock guard(Lock);
            Wake.wait(guard, [this] { return Quit || Next.has_value(); });
            if (Quit) {
                return;
            }
            question = std::move(*Next);
            Next.reset();
            Stop = false;
        }
        if (question.Moves.size() < LastStoneCount || question.Rule != LastRule) {
            Emperor.NewGame(); // another game, or moves taken back: what was learnt misleads
            // Before the move's clock starts and off the user-interface thread: the first
            // question under a rule builds its tables once.
            TEmperor::Prepare(question.Rule);
        }
        LastStoneCount = question.Moves.size();
        LastRule = question.Rule;
        const TSearchResult result =
            Emperor.Think(SearchPosition(question), TSearchLimits{MoveTime}, Stop);
        QMetaObject::invokeMethod(
            this, [this, question, result] { Deliver(question, result); }, Qt::QueuedConnection);
    }
}

void TEmperorPlayer::Deliver(const TMoveQuestion& question, const TSearchResult& result) {
    {
        const std::lock_guard guard(Lock);
        if (Current != question.Ticket) {
            return; // cancelled or replaced while the worker thought
        }
        Current = 0;
    }
    if (!result.HasMove()) {
        emit Failed(QStringLiteral("Rennor Emperor found no move in this position."));
        return;
    }
    emit Answered(question.Ticket, result.X + 1, result.Y + 1);
}

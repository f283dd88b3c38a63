// Emperor's analysis for the game window: a position's judgement and line, deeper and deeper,
// and the review of a finished game, on a worker thread the user-interface thread never waits for.
#pragma once

#include "search/Analysis.h"

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class TAnalyser final : public QObject {
    Q_OBJECT

public:
    explicit TAnalyser(QObject* parent = nullptr);
    // Stops the work and joins the worker, which the stop flag frees within a millisecond.
    ~TAnalyser() override;

    // Thinks about the position, each result coming as Analysed, and rests after the longest
    // think. Any earlier work is dropped.
    void Analyse(const TSearchPosition& position);
    // Walks a game's moves (from the empty board of start's size and rule), each step coming as
    // ReviewProgress, then ReviewDone. Any earlier work is dropped.
    void Review(const TSearchPosition& start, const std::vector<TSearchStone>& moves);
    // Drops the work at once: nothing more of it is reported.
    void Stop();
    // Whether the worker is thinking now.
    bool Working() const { return Busy.load(); }

signals:
    void Analysed(const TAnalysis& analysis);
    void ReviewProgress(int done, int total);
    void ReviewDone(const std::vector<TTurningPoint>& points);

private:
    using TJob = std::function<void(std::uint64_t ticket)>;
    void Start(TJob job);
    void Work();
    // Runs report on this object's thread, unless the work it belongs to was dropped.
    void Post(std::uint64_t ticket, std::function<void()> report);

    TEmperor Emperor; // only the worker touches it
    std::mutex Lock;  // guards Next, Ticket and Quit
    std::condition_variable Wake;
    TJob Next;
    std::uint64_t Ticket = 0; // the work the window waits for; the worker's runs under it
    bool Quit = false;
    std::atomic<bool> StopFlag{false};
    std::atomic<bool> Busy{false};
    std::thread Worker;
};

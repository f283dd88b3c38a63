// Emperor's judgement of a position in words, with the line it expects, and the review of a
// finished game: the moves where the result changed hands.
#pragma once

#include "search/Emperor.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

enum class TAssessment { Even, Better, MuchBetter, Wins, Won, Full };
enum class TWinBy { Search, Fours, Threats };

struct TAnalysis {
    TAssessment Verdict = TAssessment::Even;
    // Who is ahead, wins or has won; NoStone when even.
    TStoneColor Leader = NoStone;
    // For a win: the leader's moves up to and including its five.
    int MovesToWin = 0;
    TWinBy By = TWinBy::Search;
    int Score = 0; // the side to move's view, as the search gives it
    // The line expected from here, the side to move first; empty once the game is over.
    std::vector<TSearchStone> Line;
    bool Stopped = false;
};

// Thinks about the position for up to budget, or until stop is set.
TAnalysis Analyse(TEmperor& emperor, const TSearchPosition& position,
                  std::chrono::milliseconds budget, const std::atomic<bool>& stop);
// "Black wins in 7 by fours", "White is better", "Even".
std::string AnalysisWords(const TAnalysis& analysis);

// A move after which the game's result was no longer what it had been.
struct TTurningPoint {
    int Move = 0; // counted from 1
    TSearchStone Played;
    bool WinMissed = false; // else a forced loss was allowed
    TSearchStone Better;    // Emperor's move in its place
    TAnalysis Before;       // the position before the move
};

// Walks the game's moves from the empty board (start.Stones is ignored), budget per position,
// and reports each move that turned a win into something less or allowed a forced loss.
// progress(done, total) is called after each position; a stop ends the walk early.
std::vector<TTurningPoint> ReviewGame(TEmperor& emperor, const TSearchPosition& start,
                                      const std::vector<TSearchStone>& moves,
                                      std::chrono::milliseconds budget,
                                      const std::atomic<bool>& stop,
                                      const std::function<void(int, int)>& progress = {});

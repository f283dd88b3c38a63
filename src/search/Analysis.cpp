// Emperor's judgement in words: the search's score and line, read as a player would say them.
#include "search/Analysis.h"

#include "search/SearchBoard.h"

#include <cstdlib>

namespace {

// The side to move's score from which it is better, and much better. The evaluation gives the
// side to move a quarter more for its shapes: early moves swing between -600 and 600 with the
// turn, while an unanswered open two or three is worth 1400 and more.
constexpr int BetterScore = 700;
constexpr int MuchBetterScore = 1400;
// Enough of a line to show where the play goes, few enough to read on the board.
constexpr int ShownMoves = 9;

// Whether each of the winner's moves in the line (every second one) is a four or a five.
bool AllFours(TSearchBoard board, const std::vector<std::pair<int, int>>& line) {
    const int winner = board.ToMove();
    for (std::size_t i = 0; i < line.size(); ++i) {
        const TCell c = board.CellOf(line[i].first, line[i].second);
        if (i % 2 == 0 && !IsFour(board.ShapeAt(winner, c))) {
            return false;
        }
        board.Play(c);
    }
    return true;
}

void Judge(TAnalysis& a, TStoneColor me, const TSearchResult& r, const TSearchBoard& board) {
    a.Score = r.Score;
    if (r.Score > WinThreshold || r.Score < -WinThreshold) {
        a.Verdict = TAssessment::Wins;
        a.Leader = r.Score > 0 ? me : Opponent(me);
        a.MovesToWin = (WinScore - std::abs(r.Score) + 1) / 2;
        if (!r.WinLine.empty()) {
            a.By = AllFours(board, r.WinLine) ? TWinBy::Fours : TWinBy::Threats;
        }
        return;
    }
    const int size = std::abs(r.Score);
    a.Verdict = size < BetterScore       ? TAssessment::Even
                : size < MuchBetterScore ? TAssessment::Better
                                         : TAssessment::MuchBetter;
    if (a.Verdict != TAssessment::Even) {
        a.Leader = r.Score > 0 ? me : Opponent(me);
    }
}

std::string ColorName(TStoneColor c) {
    return c == BlackStone ? "Black" : "White";
}

} // namespace

TAnalysis Analyse(TEmperor& emperor, const TSearchPosition& position,
                  std::chrono::milliseconds budget, const std::atomic<bool>& stop) {
    TAnalysis a;
    const TSearchBoard board = BoardOf(position);
    if (board.HasFive()) {
        a.Verdict = TAssessment::Won;
        a.Leader = Opponent(position.ToMove);
        return a;
    }
    const TSearchResult r = emperor.Think(position, TSearchLimits{budget}, stop);
    a.Stopped = r.Stopped;
    if (!r.HasMove()) {
        a.Verdict = TAssessment::Full;
        return a;
    }
    Judge(a, position.ToMove, r, board);
    const auto line =
        r.WinLine.empty() ? emperor.ExpectedLine(position, r.X, r.Y, ShownMoves) : r.WinLine;
    TStoneColor colour = position.ToMove;
    for (const auto& [x, y] : line) {
        a.Line.push_back({x, y, colour});
        colour = Opponent(colour);
    }
    return a;
}

std::string AnalysisWords(const TAnalysis& a) {
    switch (a.Verdict) {
    case TAssessment::Even:
        return "Even";
    case TAssessment::Better:
        return ColorName(a.Leader) + " is better";
    case TAssessment::MuchBetter:
        return ColorName(a.Leader) + " is much better";
    case TAssessment::Won:
        return ColorName(a.Leader) + " has won";
    case TAssessment::Full:
        return "No move is left";
    case TAssessment::Wins:
        break;
    }
    std::string words = ColorName(a.Leader) + " wins in " + std::to_string(a.MovesToWin);
    if (a.MovesToWin > 1 && a.By == TWinBy::Fours) {
        words += " by fours";
    } else if (a.MovesToWin > 1 && a.By == TWinBy::Threats) {
        words += " by threats";
    }
    return words;
}

std::vector<TTurningPoint> ReviewGame(TEmperor& emperor, const TSearchPosition& start,
                                      const std::vector<TSearchStone>& moves,
                                      std::chrono::milliseconds budget,
                                      const std::atomic<bool>& stop,
                                      const std::function<void(int, int)>& progress) {
    const auto wins = [](const TAnalysis& a, TStoneColor c) {
        return (a.Verdict == TAssessment::Wins || a.Verdict == TAssessment::Won) && a.Leader == c;
    };
    const int total = static_cast<int>(moves.size()) + 1;
    TSearchPosition position = start;
    position.Stones.clear();
    emperor.NewGame();
    std::vector<TAnalysis> judged;
    for (int k = 0; k < total && !stop; ++k) {
        const auto done = static_cast<std::size_t>(k);
        position.ToMove = done < moves.size()
                              ? moves[done].Color
                              : Opponent(moves.empty() ? WhiteStone : moves.back().Color);
        judged.push_back(Analyse(emperor, position, budget, stop));
        if (done < moves.size()) {
            position.Stones.push_back(moves[done]);
        }
        if (progress) {
            progress(k + 1, total);
        }
    }
    std::vector<TTurningPoint> points;
    for (std::size_t k = 0; k + 1 < judged.size() && !stop; ++k) {
        const TStoneColor mover = moves[k].Color;
        const TAnalysis& before = judged[k];
        const TAnalysis& after = judged[k + 1];
        const bool missed = wins(before, mover) && !wins(after, mover);
        const bool allowed = !wins(before, Opponent(mover)) && wins(after, Opponent(mover));
        const bool better = !before.Line.empty() && (before.Line.front().X != moves[k].X ||
                                                     before.Line.front().Y != moves[k].Y);
        if ((missed || allowed) && better) {
            points.push_back(
                {static_cast<int>(k) + 1, moves[k], missed, before.Line.front(), before});
        }
    }
    return points;
}

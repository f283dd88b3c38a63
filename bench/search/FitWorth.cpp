// Fits the strong player's worth tables (Worths, for the side to move and for the side that
// waits, and the double-three bonus) to the results of recorded games, as engine authors tune an
// evaluation: every position of every game that is not decided on the spot becomes a sample, the
// leaf's worth for the side to move a prediction of its score through a logistic curve, and a
// local search changes one weight at a time while the mean squared error of the predictions falls.
// One game in five is held out, and its error is printed beside, to show the fit is not learnt by
// heart. Usage: fit_worth SIZE GAMES [SIZE GAMES...], where GAMES is a --games file of
// tools/match.py played under five or more. It prints the fitted tables; they are copied into
// LinePatterns.h by hand, and kept only when a match against the previous version says so.
#include "search/SearchBoard.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// What decides a leaf's worth, counted over the empty squares: per side, how many lines of each
// shape pass through them and how many of them have each shape.
struct TSample {
    std::array<std::array<float, LineShapeCount>, 2> Lines{}; // [0] side to move, [1] other
    std::array<std::array<float, ShapeCount>, 2> Shapes{};
    bool DoubleThree = false; // the side to move's bonus applies
    bool BlackToMove = false;
    float Score = 0; // what the side to move made of the game: 1, 0.5 or 0
};

struct TWeights {
    std::array<std::array<double, LineShapeCount>, WorthSides> Line{};
    std::array<std::array<double, ShapeCount>, WorthSides> Shape{};
    double DoubleThree = 0;
    double BlackBias = 0; // black's edge from the openings: fitted, not used in play
};

struct TSet {
    std::vector<TSample> Fit, Held;
};

bool FourFor(const TSearchBoard& board, int colour) {
    return board.CountOf(colour, TShape::Flex4) + board.CountOf(colour, TShape::Four3) +
               board.CountOf(colour, TShape::FourPlus) + board.CountOf(colour, TShape::Four) >
           0;
}

TSample SampleOf(const TSearchBoard& board, float score) {
    const int me = board.ToMove();
    TSample s;
    for (int y = 0; y < board.Size(); ++y) {
        for (int x = 0; x < board.Size(); ++x) {
            const TCell c = board.CellOf(x, y);
            if (!board.IsEmpty(c)) {
                continue;
            }
            for (int side = 0; side < 2; ++side) {
                const int colour = side == 0 ? me : Other(me);
                for (int d = 0; d < 4; ++d) {
                    ++s.Lines[side][static_cast<int>(board.LineAt(colour, c, d))];
                }
                ++s.Shapes[side][static_cast<int>(board.ShapeAt(colour, c))];
            }
        }
    }
    s.DoubleThree = board.CountOf(me, TShape::Three2x) > 0 && !FourFor(board, Other(me));
    s.BlackToMove = me == Black;
    s.Score = score;
    return s;
}

// A position is decided on the spot when either side can make five or the side to move an open
// four: the search never asks a leaf's worth there.
bool Decided(const TSearchBoard& board) {
    const int me = board.ToMove();
    return board.CountOf(me, TShape::Five) > 0 || board.CountOf(Other(me), TShape::Five) > 0 ||
           board.HasFlex4(me);
}

// One line of a games file: "1 A-B B wins: 7,7 6,6 ...", black named first.
void ReadGame(const std::string& line, int size, std::vector<TSample>& out) {
    std::istringstream in(line);
    std::string number, pair, first, second;
    in >> number >> pair >> first >> second;
    float blackScore = 0.5f;
    if (second == "wins:" && pair.size() == 3) {
        blackScore = first[0] == pair[0] ? 1.0f : 0.0f;
    } else if (first != "draw:") {
        return;
    }
    TSearchBoard board(size);
    for (std::string move; in >> move && move.size() <= 8;) {
        int x = -1, y = -1;
        if (std::sscanf(move.c_str(), "%d,%d", &x, &y) != 2 || x < 0 || y < 0 || x >= size ||
            y >= size || !board.IsEmpty(board.CellOf(x, y))) {
            return;
        }
        board.Play(board.CellOf(x, y));
        if (board.HasFive()) {
            return;
        }
        if (!Decided(board)) {
            out.push_back(SampleOf(board, board.ToMove() == Black ? blackScore : 1 - blackScore));
        }
    }
}

void ReadFile(const char* path, int size, TSet& set, int& games) {
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        ReadGame(line.substr(0, 4096), size, ++games % 5 == 0 ? set.Held : set.Fit);
    }
}

double Worth(const TWeights& w, const TSample& s) {
    double side[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        for (int l = 0; l < LineShapeCount; ++l) {
            side[i] += w.Line[i][l] * s.Lines[i][l];
        }
        for (int k = 0; k < ShapeCount; ++k) {
            side[i] += w.Shape[i][k] * s.Shapes[i][k];
        }
    }
    return side[0] - side[1] + (s.DoubleThree ? w.DoubleThree : 0);
}

double Error(const TWeights& w, double scale, const std::vector<TSample>& samples) {
    double sum = 0;
    for (const TSample& s : samples) {
        const double worth = std::clamp(Worth(w, s), -20000.0, 20000.0) +
                             (s.BlackToMove ? w.BlackBias : -w.BlackBias);
        const double predicted = 1 / (1 + std::exp(-worth / scale));
        sum += (predicted - s.Score) * (predicted - s.Score);
    }
    return sum / static_cast<double>(samples.size());
}

// The logistic curve's scale and black's edge for the starting weights: the fitted weights stay
// on that scale, so that words and margins that read a worth keep their meaning.
double FitScale(TWeights& w, const std::vector<TSample>& samples) {
    double scale = 400;
    for (int round = 0; round < 30; ++round) {
        for (double factor : {0.8, 1.25}) {
            if (Error(w, scale * factor, samples) < Error(w, scale, samples)) {
                scale *= factor;
            }
        }
        for (double step : {-100.0, 100.0}) {
            TWeights tried = w;
            tried.BlackBias += step;
            if (Error(tried, scale, samples) < Error(w, scale, samples)) {
                w = tried;
            }
        }
    }
    return scale;
}

// Changes one weight at a time by a shrinking step and keeps each change that lowers the error.
// A line's five and a square's five stay: no leaf has one.
void Fit(TWeights& w, double scale, const std::vector<TSample>& samples) {
    std::vector<double*> free;
    for (int side = 0; side < WorthSides; ++side) {
        for (int l = 1; l + 1 < LineShapeCount; ++l) {
            free.push_back(&w.Line[side][l]);
        }
        for (int k = 1; k < ShapeCount; ++k) {
            free.push_back(&w.Shape[side][k]);
        }
    }
    for (double* v : {&w.DoubleThree, &w.BlackBias}) {
        free.push_back(v);
    }
    double best = Error(w, scale, samples);
    for (double step : {0.3, 0.15, 0.07, 0.03}) {
        for (bool better = true; better;) {
            better = false;
            for (double* v : free) {
                const double was = *v;
                const double add = step * 20;
                for (double tried : {was * (1 + step), was * (1 - step), was + add, was - add}) {
                    const bool allowed = v == &w.BlackBias || tried >= 0;
                    *v = tried;
                    if (const double error = Error(w, scale, samples); allowed && error < best) {
                        best = error;
                        better = true;
                        break;
                    }
                    *v = was;
                }
            }
        }
    }
}

void Print(const char* what, const TWeights& w, double scale, const TSet& set) {
    std::printf("%s: error %.5f, held out %.5f\n", what, Error(w, scale, set.Fit),
                Error(w, scale, set.Held));
    for (int side = 0; side < WorthSides; ++side) {
        std::printf("  %s: lines", side == 0 ? "to move" : "waiting");
        for (double v : w.Line[side]) {
            std::printf(" %.0f", v);
        }
        std::printf(", squares");
        for (double v : w.Shape[side]) {
            std::printf(" %.0f", v);
        }
        std::printf("\n");
    }
    std::printf("  double three %.0f, black's edge %.0f, scale %.0f\n", w.DoubleThree, w.BlackBias,
                scale);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc % 2 == 0) {
        std::fprintf(stderr, "usage: %s SIZE GAMES [SIZE GAMES...]\n", argv[0]);
        return 2;
    }
    TSet set;
    int games = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const int size = std::atoi(argv[i]);
        if (size < 15 || size > MaxSearchSize) {
            std::fprintf(stderr, "%s: board size %s is not 15 to %d\n", argv[0], argv[i],
                         MaxSearchSize);
            return 2;
        }
        ReadFile(argv[i + 1], size, set, games);
    }
    std::printf("%d games, %zu positions fitted, %zu held out\n", games, set.Fit.size(),
                set.Held.size());
    if (set.Fit.empty() || set.Held.empty()) {
        return 1;
    }
    TWeights w;
    for (int side = 0; side < WorthSides; ++side) {
        std::copy(Worths[side].Line.begin(), Worths[side].Line.end(), w.Line[side].begin());
        std::copy(Worths[side].Shape.begin(), Worths[side].Shape.end(), w.Shape[side].begin());
    }
    w.DoubleThree = DoubleThreeWorth;
    const double scale = FitScale(w, set.Fit);
    Print("now", w, scale, set);
    Fit(w, scale, set.Fit);
    Print("fitted", w, scale, set);
}

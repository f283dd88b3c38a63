// The judge: fives and overlines along the four lines through a stone, and renju's fouls by the
// international definitions, the three's completing square judged again with the new stone on.
#include "variants/Judge.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {

constexpr std::array<std::pair<int, int>, 4> Steps = {{{1, 0}, {0, 1}, {1, 1}, {1, -1}}};
constexpr TStoneColor Edge = 3;

// The squares of one line around a stone, five each side; the stone is at Centre.
constexpr int Reach = 5;
constexpr int Centre = Reach;
using TLine = std::array<TStoneColor, 2 * Reach + 1>;

// The run of colour through i: its first and last index.
std::pair<int, int> RunAt(const TLine& line, int i) {
    const TStoneColor c = line[i];
    int lo = i, hi = i;
    while (lo > 0 && line[lo - 1] == c) {
        --lo;
    }
    while (hi + 1 < static_cast<int>(line.size()) && line[hi + 1] == c) {
        ++hi;
    }
    return {lo, hi};
}

int RunLength(const TLine& line, int i) {
    const auto [lo, hi] = RunAt(line, i);
    return hi - lo + 1;
}

// The empty squares of the line that make exactly five of black with the centre stone in it.
std::vector<int> FivePoints(TLine line) {
    std::vector<int> points;
    for (int i = Centre - 4; i <= Centre + 4; ++i) {
        if (line[i] != NoStone) {
            continue;
        }
        line[i] = BlackStone;
        const auto [lo, hi] = RunAt(line, i);
        if (hi - lo + 1 == 5 && lo <= Centre && Centre <= hi) {
            points.push_back(i);
        }
        line[i] = NoStone;
    }
    return points;
}

// Fours through the centre on one line: a straight four (two five points five apart, the four
// stones between) is one four; two points otherwise are two fours on one line (X.XXX.X).
int FourCount(const TLine& line) {
    const std::vector<int> points = FivePoints(line);
    if (points.size() == 2 && points[1] - points[0] == 5) {
        return 1;
    }
    return static_cast<int>(points.size());
}

// Whether black on i makes a straight four with the centre stone: an unbroken four with an
// empty square at each end, each of which makes exactly five.
bool MakesStraightFour(TLine line, int i) {
    line[i] = BlackStone;
    const auto [lo, hi] = RunAt(line, Centre);
    return hi - lo + 1 == 4 && line[lo - 1] == NoStone && line[hi + 1] == NoStone &&
           line[lo - 2] != BlackStone && line[hi + 2] != BlackStone;
}

// The board as the judge sees it: the view, with the stones the judge tries laid on top.
class TProbe {
public:
    explicit TProbe(const TBoardView& view) : View(view), Size(view.Size()) {}

    TStoneColor At(int x, int y) const {
        if (x < 0 || y < 0 || x >= Size || y >= Size) {
            return Edge;
        }
        for (const auto& [px, py, c] : Tried) {
            if (px == x && py == y) {
                return c;
            }
        }
        return View.At(x, y);
    }

    TLine LineThrough(int x, int y, int d) const {
        TLine line;
        for (int k = -Reach; k <= Reach; ++k) {
            line[Centre + k] = At(x + k * Steps[d].first, y + k * Steps[d].second);
        }
        return line;
    }

    TVerdict Verdict(TRule rule, int x, int y, TStoneColor colour) {
        Tried.push_back({x, y, colour});
        std::array<TLine, 4> lines;
        for (int d = 0; d < 4; ++d) {
            lines[d] = LineThrough(x, y, d);
        }
        const bool exact =
            rule == TRule::Standard || (rule == TRule::Renju && colour == BlackStone);
        TVerdict verdict;
        verdict.Wins = std::any_of(lines.begin(), lines.end(), [&](const TLine& line) {
            const int run = RunLength(line, Centre);
            return exact ? run == 5 : run >= 5;
        });
        if (!verdict.Wins && rule == TRule::Renju && colour == BlackStone) {
            verdict.Foul = Foul(x, y, lines);
        }
        Tried.pop_back();
        return verdict;
    }

private:
    // Black's stone stands on (x, y) and makes no five.
    TFoul Foul(int x, int y, const std::array<TLine, 4>& lines) {
        int fours = 0;
        for (const TLine& line : lines) {
            if (RunLength(line, Centre) >= 6) {
                return TFoul::Overline;
            }
            fours += FourCount(line);
        }
        if (fours >= 2) {
            return TFoul::DoubleFour;
        }
        // A line with a four holds no three. The completing squares are judged only when two
        // lines could be threes, since that judging tries further stones.
        std::array<std::vector<int>, 4> completions;
        int lines3 = 0;
        for (int d = 0; d < 4; ++d) {
            if (FourCount(lines[d]) > 0) {
                continue;
            }
            for (int i = Centre - 4; i <= Centre + 4; ++i) {
                if (lines[d][i] == NoStone && MakesStraightFour(lines[d], i)) {
                    completions[d].push_back(i);
                }
            }
            lines3 += completions[d].empty() ? 0 : 1;
        }
        if (lines3 < 2) {
            return TFoul::None;
        }
        int threes = 0;
        for (int d = 0; d < 4; ++d) {
            threes += std::any_of(completions[d].begin(), completions[d].end(), [&](int i) {
                const int k = i - Centre;
                return Verdict(TRule::Renju, x + k * Steps[d].first, y + k * Steps[d].second,
                               BlackStone)
                    .Allowed();
            });
        }
        return threes >= 2 ? TFoul::DoubleThree : TFoul::None;
    }

    struct TTried {
        int X, Y;
        TStoneColor Colour;
    };
    const TBoardView& View;
    int Size;
    std::vector<TTried> Tried;
};

} // namespace

TVerdict Judge(TRule rule, const TBoardView& board, int x, int y, TStoneColor colour) {
    return TProbe(board).Verdict(rule, x, y, colour);
}

TStoneColor Winner(TRule rule, const TBoardView& board) {
    for (int y = 0; y < board.Size(); ++y) {
        for (int x = 0; x < board.Size(); ++x) {
            const TStoneColor c = board.At(x, y);
            if (c != NoStone && Judge(rule, board, x, y, c).Wins) {
                return c;
            }
        }
    }
    return NoStone;
}

const char* FoulName(TFoul foul) {
    switch (foul) {
    case TFoul::Overline:
        return "overline";
    case TFoul::DoubleFour:
        return "double four";
    case TFoul::DoubleThree:
        return "double three";
    default:
        return "";
    }
}

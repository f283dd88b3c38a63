// Rennor Emperor's turn: the rules that need no search, then threats, then the full search.
#include "search/Emperor.h"

#include "search/AlphaBeta.h"
#include "search/ThreatSearch.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <thread>
#include <utility>

TSearchBoard BoardOf(const TSearchPosition& position) {
    TSearchBoard board(position.Size, position.Rule);
    for (const TSearchStone& s : position.Stones) {
        board.Place(board.CellOf(s.X, s.Y), s.Color);
    }
    board.SetToMove(position.ToMove);
    return board;
}

namespace {

// Forced wins come first in the time: fours cost little, threes more, so they get a share.
constexpr int MaxFours = 40;
constexpr std::uint64_t FourNodes = 400000;
constexpr int MaxThreats = 8;
constexpr std::uint64_t ThreatNodes = 2000000;
constexpr int ThreatShare = 4; // the threat search may use a quarter of the time left
constexpr std::uint64_t DefenceNodes = 5000;
// In sixths of the time left: the full search's first round, and its second after the check. The
// first round ends at half time, not two thirds: in busy positions the check needs hundreds of
// milliseconds to read the opponent's threats, and a check cut short lets a losing choice stand
// (tools/match.py at 1 s a move won more games so; the second round wins back the depth).
constexpr int FirstRound = 3;
constexpr int SecondRound = 5;

// The moves that still stop the opponent's win by fours, if it has one; all moves otherwise, or
// when none stops it. Only squares that can touch the win are tried: ours that make a four,
// theirs that make a threat, and those of the winning line.
std::vector<TCell> StopFours(TSearchBoard& board, TThreatSearch& threats, TSearchClock& clock,
                             std::vector<TCell> moves) {
    const int me = board.ToMove();
    const int you = Other(me);
    board.SetToMove(you);
    const bool threatened = threats.Vcf(MaxFours, FourNodes);
    board.SetToMove(me);
    if (!threatened) {
        return moves;
    }
    std::vector<TCell> tries = threats.Line();
    std::vector<TCell> all;
    board.Candidates(all);
    for (TCell c : all) {
        if (IsFour(board.ShapeAt(me, c)) || IsThreat(board.ShapeAt(you, c))) {
            tries.push_back(c);
        }
    }
    std::erase_if(tries, [&](TCell c) { return board.Forbidden(me, c); });
    // The search's favourites first, each square once.
    std::vector<char> seen(CellCount, 0);
    std::erase_if(tries, [&](TCell c) { return std::exchange(seen[c], 1) != 0; });
    std::stable_partition(tries.begin(), tries.end(), [&](TCell c) {
        return std::find(moves.begin(), moves.end(), c) != moves.end();
    });
    std::vector<TCell> stopping;
    for (TCell m : tries) {
        if (clock.ExpiredNow()) {
            break;
        }
        board.Play(m);
        // A check cut short shows nothing, so its move is not taken.
        const std::uint64_t before = threats.Nodes();
        if (!threats.Vcf(MaxFours, DefenceNodes) && threats.Nodes() - before <= DefenceNodes &&
            !clock.ExpiredNow()) {
            stopping.push_back(m);
        }
        board.Undo();
    }
    return stopping.empty() ? moves : stopping;
}

// A second full search on its own board, sharing the table: it runs while the turn looks for
// threats and checks its choice, and the table carries what it learns into the turn's own search.
// It runs ahead of that search, skipping the odd depths: two searches at the same depths mostly
// repeat each other's work (tools/match.py at 1 s a move won more games so).
class THelper {
public:
    THelper(const TSearchPosition& position, int maxDepth,
            TSearchClock::TClock::time_point deadline, TTransTable& table)
        : Board(BoardOf(position)), Clock(deadline, Stop),
          Thread([this, maxDepth, &table] { Run(maxDepth, table); }) {}
    THelper(const THelper&) = delete;
    THelper& operator=(const THelper&) = delete;
    ~THelper() { Stop = true; }

    // Stops it; the positions it looked at.
    std::uint64_t Finish() {
        Stop = true;
        Thread.join();
        return Counted;
    }

private:
    void Run(int maxDepth, TTransTable& table) {
        TAlphaBeta search(Board, Clock, table);
        std::vector<TCell> moves;
        search.Generate(moves, NoCell, 0, maxDepth);
        search.Run(std::move(moves), maxDepth, true);
        Counted = search.Nodes();
    }

    std::atomic<bool> Stop{false};
    TSearchBoard Board;
    TSearchClock Clock;
    std::uint64_t Counted = 0;
    std::jthread Thread; // last, so that it starts when the rest is ready and ends first
};

// One turn's thinking, in the order that costs least: what needs no search, a win by fours,
// a five to stop, a win by threes, then the full search.
class TTurn {
public:
    TTurn(const TSearchPosition& position, const TSearchLimits& limits,
          TSearchClock::TClock::time_point deadline, const std::atomic<bool>& stop,
          TTransTable& table)
        : Position(position), Board(BoardOf(position)), Deadline(deadline), Clock(deadline, stop),
          Threats(Board, Clock), Table(table), MaxDepth(limits.MaxDepth), Threads(limits.Threads),
          Me(Board.ToMove()), You(Other(Me)) {}

    TSearchResult Play() {
        TSearchResult result = Think();
        if (Helper) {
            result.Nodes += Helper->Finish();
        }
        return result;
    }

private:
    TSearchResult Think() {
        if (Board.HasFive() || Board.Full()) {
            return Result;
        }
        if (Board.StoneCount() == 0) {
            return Answer(Board.CellOf(Board.Size() / 2, Board.Size() / 2), 0);
        }
        if (Board.CountOf(You, TShape::Five) > 1 && Board.CountOf(Me, TShape::Five) == 0) {
            return Block();
        }
        if (Threads > 1 && Board.CountOf(You, TShape::Five) == 0) {
            Helper.emplace(Position, MaxDepth, Deadline, Table);
        }
        if (Threats.Vcf(MaxFours, FourNodes)) {
            return Found(Threats);
        }
        if (Board.CountOf(You, TShape::Five) > 0) {
            return Block();
        }
        TSearchClock threatClock = Clock.Share(1, ThreatShare);
        TThreatSearch threes(Board, threatClock);
        for (int depth = 2; depth <= MaxThreats && !threatClock.ExpiredNow(); depth += 2) {
            if (threes.Vct(depth, ThreatNodes)) {
                return Found(threes);
            }
        }
        return Search();
    }

    TSearchResult Answer(TCell c, int score) {
        if (Board.Forbidden(Me, c)) {
            // Only where every block is a foul: the game is lost, but the move stays legal.
            c = FirstAllowed();
            score = -(WinScore - 2);
        }
        Result.X = Board.XOf(c);
        Result.Y = Board.YOf(c);
        Result.Score = score;
        Result.Stopped = Clock.StopFlag().load();
        return Result;
    }

    TCell FirstAllowed() const {
        for (int y = 0; y < Board.Size(); ++y) {
            for (int x = 0; x < Board.Size(); ++x) {
                const TCell c = Board.CellOf(x, y);
                if (Board.IsEmpty(c) && !Board.Forbidden(Me, c)) {
                    return c;
                }
            }
        }
        return Board.FindEmpty(); // a board of fouls: there is no lawful move at all
    }

    TSearchResult Block() {
        const bool lost = Board.CountOf(You, TShape::Five) > 1;
        return Answer(Board.FindShape(You, TShape::Five), lost ? -(WinScore - 2) : 0);
    }

    TSearchResult Found(const TThreatSearch& search) {
        for (TCell c : search.Line()) {
            Result.WinLine.emplace_back(Board.XOf(c), Board.YOf(c));
        }
        Result.Nodes = search.Nodes();
        return Answer(search.Line().front(), WinScore - static_cast<int>(search.Line().size()));
    }

    // The full search, then a check of its choice against the opponent's win by threats, which
    // lies beyond its depth more often than not: games between strong players are decided so. A
    // second round, on the table the first filled, goes deeper with the time the check left; its
    // choice replaces the first's only when a check shows it safe too.
    TSearchResult Search() {
        std::vector<TCell> moves;
        TCell move = NoCell;
        int score = 0;
        // The first round runs even when the time is out: it still orders the moves, and a stop
        // leaves its first choice.
        for (int round = 0; round < 2 && (round == 0 || !Clock.ExpiredNow()); ++round) {
            TSearchClock searchClock = Clock.Share(round == 0 ? FirstRound : SecondRound, 6);
            TAlphaBeta search(Board, searchClock, Table);
            if (round == 0) {
                search.Generate(moves, NoCell, 0, MaxDepth);
                moves = StopFours(Board, Threats, Clock, std::move(moves));
            }
            const TAlphaBeta::TOutcome outcome = search.Run(moves, MaxDepth);
            Result.Depth = std::max(Result.Depth, outcome.Depth);
            Result.Nodes += search.Nodes();
            if (outcome.Move == NoCell) {
                break;
            }
            const bool won = outcome.Score > WinThreshold;
            const bool decided = won || outcome.Score < -WinThreshold;
            if (outcome.Move == move) {
                score = outcome.Score; // the deeper judgement of the same choice
            } else if (round == 0 || won || ThreatWin(outcome.Move) == TVerdict::None) {
                move = round == 0 && !won ? Safe(outcome.Move, moves) : outcome.Move;
                score = outcome.Score;
            }
            if (decided || outcome.Depth >= MaxDepth) {
                break;
            }
            std::erase(moves, move);
            moves.insert(moves.begin(), move);
        }
        Result.Nodes += Threats.Nodes();
        return Answer(move != NoCell ? move : Board.FindEmpty(), score);
    }

    // The search's choice, unless the opponent then wins by threats: then the first of its other
    // moves not shown to lose so. A check cut short shows nothing; the choice it was checking
    // stands, since an unchecked move is worse than one shown safe, but better than one shown lost.
    TCell Safe(TCell best, std::vector<TCell> moves) {
        if (ThreatWin(best) != TVerdict::Wins) {
            return best;
        }
        std::erase(moves, best);
        for (TCell m : moves) {
            if (ThreatWin(m) != TVerdict::Wins) {
                return m;
            }
        }
        return best;
    }

    enum class TVerdict { Wins, None, Unknown };
    // Whether the opponent wins by threats after our move m, the shortest wins first.
    TVerdict ThreatWin(TCell m) {
        TVerdict verdict = TVerdict::None;
        Board.Play(m);
        for (int depth = 2; depth <= MaxThreats && verdict == TVerdict::None; depth += 2) {
            const std::uint64_t before = Threats.Nodes();
            if (Threats.Vct(depth, ThreatNodes)) {
                verdict = TVerdict::Wins;
            } else if (Clock.ExpiredNow() || Threats.Nodes() - before > ThreatNodes) {
                verdict = TVerdict::Unknown;
            }
        }
        Board.Undo();
        return verdict;
    }

    const TSearchPosition& Position;
    TSearchBoard Board;
    TSearchClock::TClock::time_point Deadline;
    TSearchClock Clock;
    TThreatSearch Threats;
    TTransTable& Table;
    int MaxDepth;
    int Threads;
    int Me, You;
    std::optional<THelper> Helper;
    TSearchResult Result;
};

// The move a position leaves no choice about: a five, the block of the opponent's, or an open
// four. The search decides such positions without storing them, so a line read from the table
// would end just before them.
TCell ForcedMove(const TSearchBoard& board) {
    const int me = board.ToMove();
    const int you = Other(me);
    if (board.CountOf(me, TShape::Five) > 0) {
        return board.FindShape(me, TShape::Five);
    }
    if (board.CountOf(you, TShape::Five) > 0) {
        return board.FindShape(you, TShape::Five);
    }
    return board.HasFlex4(me) ? board.FindAllowed(me, TShape::Flex4) : NoCell;
}

} // namespace

bool TSearchResult::ForcedWin() const {
    return Score > WinThreshold;
}

struct TEmperor::TMemory {
    explicit TMemory(std::size_t bytes) : Table(bytes) {}
    TTransTable Table;
};

TEmperor::TEmperor(std::size_t tableBytes) : Memory(std::make_unique<TMemory>(tableBytes)) {
    TPatternTables::Get(); // built now rather than in the first move's time
}
TEmperor::~TEmperor() = default;

void TEmperor::NewGame() {
    Memory->Table.Clear();
}

std::vector<std::pair<int, int>> TEmperor::ExpectedLine(const TSearchPosition& position, int x,
                                                        int y, int maxMoves) const {
    std::vector<std::pair<int, int>> line;
    if (!Problem(position).empty()) {
        return line;
    }
    TSearchBoard board = BoardOf(position);
    TCell c = board.CellOf(x, y);
    while (static_cast<int>(line.size()) < maxMoves && board.OnBoard(c) && board.IsEmpty(c) &&
           !board.Forbidden(board.ToMove(), c)) {
        line.emplace_back(board.XOf(c), board.YOf(c));
        board.Play(c);
        if (board.MakesFive(c)) {
            break;
        }
        const std::optional<TTransEntry> e = Memory->Table.Find(board.Hash());
        c = e ? e->Move : ForcedMove(board);
    }
    return line;
}

void TEmperor::Prepare(TRule rule) {
    if (rule != TRule::Freestyle) {
        TExactLines::Get();
    }
}

std::string TEmperor::Problem(const TSearchPosition& position) {
    if (position.Size < MinSearchSize || position.Size > MaxSearchSize) {
        return "the board must have 15 to 22 squares a side";
    }
    if (position.Rule != TRule::Freestyle && position.Rule != TRule::Standard &&
        position.Rule != TRule::Renju) {
        return "the rule must be five or more, exactly five or renju";
    }
    if (!IsStoneColor(position.ToMove)) {
        return "the side to move must be black or white";
    }
    std::vector<bool> taken(static_cast<std::size_t>(position.Size * position.Size));
    for (const TSearchStone& s : position.Stones) {
        if (s.X < 0 || s.Y < 0 || s.X >= position.Size || s.Y >= position.Size) {
            return "a stone lies off the board";
        }
        if (!IsStoneColor(s.Color)) {
            return "a stone is neither black nor white";
        }
        const auto square = static_cast<std::size_t>(s.Y * position.Size + s.X);
        if (taken[square]) {
            return "two stones lie on one square";
        }
        taken[square] = true;
    }
    return {};
}

TSearchResult TEmperor::Think(const TSearchPosition& position, const TSearchLimits& limits,
                              std::stop_token stop) {
    std::atomic<bool> stopped{false};
    std::stop_callback relay(stop, [&stopped] { stopped = true; });
    return Think(position, limits, stopped);
}

TSearchResult TEmperor::Think(const TSearchPosition& position, const TSearchLimits& limits,
                              const std::atomic<bool>& stop) {
    const auto deadline = TSearchClock::TClock::now() + limits.Budget;
    if (const std::string problem = Problem(position); !problem.empty()) {
        throw std::invalid_argument(problem);
    }
    TSearchLimits capped = limits;
    const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    capped.Threads = std::clamp(limits.Threads, 1, cores);
    Memory->Table.StartTurn(static_cast<int>(position.Stones.size()));
    return TTurn(position, capped, deadline, stop, Memory->Table).Play();
}

// Positions for the search tests: drawn ones, one from a game won by threats, the forced-win set
// (the side to move wins by continuous fours, read from tests/search/forced-wins.txt), and a board
// that checks such a win knowing only the rule.
#pragma once

#include "search/Emperor.h"

#include <atomic>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The stop flag of a search that only its clock ends.
inline const std::atomic<bool> Never{false};

// Part of a board drawn from (left, top): 'X' black, 'O' white, '*' an empty square put in
// `marked`, '|' ends a row, anything else is empty.
inline TSearchPosition Drawn(int size, std::string_view rows, TStoneColor toMove, int left = 0,
                             int top = 0, TRule rule = TRule::Freestyle,
                             std::set<std::pair<int, int>>* marked = nullptr) {
    TSearchPosition p{size, {}, toMove, rule};
    for (int x = left, y = top; char c : rows) {
        if (c == 'X' || c == 'O') {
            p.Stones.push_back({x, y, c == 'X' ? BlackStone : WhiteStone});
        } else if (c == '*' && marked) {
            marked->insert({x, y});
        }
        x = c == '|' ? left : x + 1;
        y += c == '|';
    }
    return p;
}

// From a game: black to move wins with two threats, the first an open three, while white can
// answer with fours of its own in many orders.
inline TSearchPosition TwoThreatsAgainstFours() {
    const int moves[][2] = {{4, 6},  {6, 7},  {7, 7},  {9, 8},  {9, 6},  {7, 8},  {8, 9},  {8, 8},
                            {10, 8}, {6, 8},  {5, 8},  {6, 10}, {6, 9},  {7, 9},  {9, 7},  {8, 10},
                            {9, 11}, {7, 10}, {5, 10}, {7, 11}, {7, 12}, {5, 9},  {4, 8},  {5, 11},
                            {4, 12}, {6, 12}, {5, 13}, {4, 10}, {3, 9},  {6, 11}, {4, 11}, {2, 10}};
    TSearchPosition p{15, {}, BlackStone};
    for (const auto& [x, y] : moves) {
        p.Stones.push_back({x, y, p.Stones.size() % 2 == 0 ? BlackStone : WhiteStone});
    }
    return p;
}

struct TForcedWin {
    TSearchPosition Position;
    int Fours = 0; // the fours of the win (none shorter was found)
};

// One position a line: size, fours, the side to move ("black" or "white"), then ":" and the
// black stones as x,y, then ":" and the white stones. '#' starts a comment line.
inline std::vector<TForcedWin> ReadForcedWins(const std::string& path) {
    std::vector<TForcedWin> wins;
    std::ifstream in(path);
    for (std::string line, side, word; std::getline(in, line);) {
        std::istringstream fields(line);
        TForcedWin win;
        if (line.starts_with('#') || !(fields >> win.Position.Size >> win.Fours >> side)) {
            continue;
        }
        win.Position.ToMove = side == "black" ? BlackStone : WhiteStone;
        TStoneColor colour = WhiteStone;
        while (fields >> word) {
            const std::size_t comma = word.find(',');
            if (comma == std::string::npos) {
                colour = Opponent(colour); // the ":" before each colour's stones
            } else {
                win.Position.Stones.push_back(
                    {std::stoi(word.substr(0, comma)), std::stoi(word.substr(comma + 1)), colour});
            }
        }
        wins.push_back(std::move(win));
    }
    return wins;
}

// A board that knows only the rule: five or more in a row wins.
struct TPlainBoard {
    explicit TPlainBoard(const TSearchPosition& p)
        : Size(p.Size), Grid(static_cast<std::size_t>(Size * Size), NoStone) {
        for (const TSearchStone& s : p.Stones) {
            Put(s.X, s.Y, s.Color);
        }
    }
    TStoneColor At(int x, int y) const {
        const bool on = x >= 0 && y >= 0 && x < Size && y < Size;
        return on ? Grid[static_cast<std::size_t>(y * Size + x)] : 3; // 3: no stone may go there
    }
    bool Empty(int x, int y) const { return At(x, y) == NoStone; }
    void Put(int x, int y, TStoneColor c) { Grid[static_cast<std::size_t>(y * Size + x)] = c; }
    bool MakesFive(int x, int y) const {
        for (auto [dx, dy] : {std::pair{1, 0}, {0, 1}, {1, 1}, {1, -1}}) {
            int run = 1;
            for (int sign : {1, -1}) {
                for (int k = 1; At(x + sign * k * dx, y + sign * k * dy) == At(x, y); ++k) {
                    ++run;
                }
            }
            if (run >= 5) {
                return true;
            }
        }
        return false;
    }
    // The empty squares where colour c would make five.
    std::set<std::pair<int, int>> Fives(TStoneColor c) {
        std::set<std::pair<int, int>> squares;
        for (int i = 0; i < Size * Size; ++i) {
            if (Empty(i % Size, i / Size)) {
                Put(i % Size, i / Size, c);
                if (MakesFive(i % Size, i / Size)) {
                    squares.insert({i % Size, i / Size});
                }
                Put(i % Size, i / Size, NoStone);
            }
        }
        return squares;
    }
    int Size;
    std::vector<TStoneColor> Grid;
};

// Whether the line (attacker's moves and the defender's replies in turn) wins by fours: every
// attacking move threatens five while the defender has no five of its own, the reply stops that
// five (with two, the defender loses whichever it stops), and the last move makes five.
inline bool ProvesFourWin(const TSearchPosition& start,
                          const std::vector<std::pair<int, int>>& line) {
    TPlainBoard board(start);
    const TStoneColor me = start.ToMove;
    for (std::size_t i = 0; i < line.size(); i += 2) {
        const auto [x, y] = line[i];
        if (!board.Empty(x, y)) {
            return false;
        }
        board.Put(x, y, me);
        if (board.MakesFive(x, y)) {
            return i + 1 == line.size();
        }
        if (i + 1 >= line.size() || !board.Fives(Opponent(me)).empty() ||
            !board.Fives(me).contains(line[i + 1])) {
            return false;
        }
        board.Put(line[i + 1].first, line[i + 1].second, Opponent(me));
    }
    return false;
}

// The forced-win set: positions where the side to move wins by continuous fours, read from
// tests/search/forced-wins.txt, and a check of such a win that knows nothing of the search.
#pragma once

#include "search/Emperor.h"

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

struct TForcedWin {
    TSearchPosition Position;
    int Fours = 0; // the fewest fours that win
};

// One position a line: size, fours, the side to move ("black" or "white"), then ":" and the
// black stones as x,y, then ":" and the white stones. '#' starts a comment line.
inline std::vector<TForcedWin> ReadForcedWins(const std::string& path) {
    std::vector<TForcedWin> wins;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        TForcedWin win;
        std::string side, word;
        fields >> win.Position.Size >> win.Fours >> side;
        win.Position.ToMove = side == "black" ? BlackStone : WhiteStone;
        TStoneColor colour = NoStone;
        while (fields >> word) {
            if (word == ":") {
                colour = colour == NoStone ? BlackStone : WhiteStone;
                continue;
            }
            const std::size_t comma = word.find(',');
            win.Position.Stones.push_back(
                {std::stoi(word.substr(0, comma)), std::stoi(word.substr(comma + 1)), colour});
        }
        wins.push_back(std::move(win));
    }
    return wins;
}

// A board that knows only the rule: five or more in a row wins.
class TPlainBoard {
public:
    explicit TPlainBoard(const TSearchPosition& p) : Size(p.Size) {
        for (const TSearchStone& s : p.Stones) {
            Stones[{s.X, s.Y}] = s.Color;
        }
    }
    bool Empty(int x, int y) const {
        return x >= 0 && y >= 0 && x < Size && y < Size && !Stones.contains({x, y});
    }
    void Put(int x, int y, TStoneColor c) { Stones[{x, y}] = c; }
    void Remove(int x, int y) { Stones.erase({x, y}); }
    bool MakesFive(int x, int y) const {
        const TStoneColor c = Stones.at({x, y});
        for (auto [dx, dy] : {std::pair{1, 0}, {0, 1}, {1, 1}, {1, -1}}) {
            int run = 1;
            for (int sign : {1, -1}) {
                for (int k = 1; At(x + sign * k * dx, y + sign * k * dy) == c; ++k) {
                    ++run;
                }
            }
            if (run >= 5) {
                return true;
            }
        }
        return false;
    }
    // The empty squares where c would make five.
    std::set<std::pair<int, int>> Fives(TStoneColor c) {
        std::set<std::pair<int, int>> squares;
        for (int x = 0; x < Size; ++x) {
            for (int y = 0; y < Size; ++y) {
                if (Empty(x, y)) {
                    Put(x, y, c);
                    if (MakesFive(x, y)) {
                        squares.insert({x, y});
                    }
                    Remove(x, y);
                }
            }
        }
        return squares;
    }
    TSearchPosition Position(TStoneColor toMove) const {
        TSearchPosition p{Size, {}, toMove};
        for (const auto& [square, c] : Stones) {
            p.Stones.push_back({square.first, square.second, c});
        }
        return p;
    }

private:
    TStoneColor At(int x, int y) const {
        const auto it = Stones.find({x, y});
        return it == Stones.end() ? NoStone : it->second;
    }
    int Size;
    std::map<std::pair<int, int>, TStoneColor> Stones;
};

// Whether the line (attacker's moves and the defender's replies in turn, from the side to move)
// wins by fours: every attacking move threatens five while the defender has no five of its own,
// the reply stops that five, and the last move makes five.
inline bool ProvesFourWin(const TSearchPosition& start,
                          const std::vector<std::pair<int, int>>& line) {
    TPlainBoard board(start);
    const TStoneColor me = start.ToMove;
    const TStoneColor you = me == BlackStone ? WhiteStone : BlackStone;
    for (std::size_t i = 0; i < line.size(); i += 2) {
        const auto [x, y] = line[i];
        if (!board.Empty(x, y)) {
            return false;
        }
        board.Put(x, y, me);
        if (board.MakesFive(x, y)) {
            return i + 1 == line.size();
        }
        const auto threats = board.Fives(me); // with two, the defender loses whichever it takes
        if (threats.empty() || !board.Fives(you).empty() || i + 1 >= line.size() ||
            !threats.contains(line[i + 1])) {
            return false;
        }
        board.Put(line[i + 1].first, line[i + 1].second, you);
    }
    return false;
}

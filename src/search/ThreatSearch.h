// Forced wins by threats: by continuous fours (VCF), and by fours and open threes (VCT).
#pragma once

#include "search/SearchBoard.h"
#include "search/SearchClock.h"

#include <cstdint>
#include <limits>
#include <vector>

// Whether a move of `me` on c can meet the opponent's four or open four: a four of our own, or
// a square where the opponent would make a four (one of its lines there is a four or more).
inline bool MeetsAFour(const TSearchBoard& board, int me, TCell c) {
    return IsFour(board.ShapeAt(me, c)) || IsFour(board.ShapeAt(Other(me), c));
}

// Positions already shown to hold no forced win within some number of threats.
class TFailCache {
public:
    explicit TFailCache(int bits)
        : Slots(std::size_t{1} << bits), Mask((std::size_t{1} << bits) - 1) {}
    bool Failed(std::uint64_t hash, int depth) const {
        const TSlot& s = Slots[hash & Mask];
        return s.Hash == hash && s.Depth >= depth;
    }
    void Fail(std::uint64_t hash, int depth) { Slots[hash & Mask] = {hash, depth}; }

private:
    struct TSlot {
        std::uint64_t Hash = 0;
        int Depth = -1;
    };
    std::vector<TSlot> Slots;
    std::size_t Mask;
};

// Positions of the defender to move already shown lost within some number of threats, with the
// line that wins them. The defender's own fours, played in every order, reach the same positions
// again and again; without it each order is proved anew.
class TWinCache {
public:
    explicit TWinCache(int bits)
        : Slots(std::size_t{1} << bits), Mask((std::size_t{1} << bits) - 1) {}
    // The line that wins the position within threats, or null.
    const std::vector<TCell>* Find(std::uint64_t hash, int threats) const {
        const TSlot& s = Slots[hash & Mask];
        return s.Hash == hash && s.Threats <= threats ? &s.Line : nullptr;
    }
    void Keep(std::uint64_t hash, int threats, const std::vector<TCell>& line) {
        TSlot& s = Slots[hash & Mask];
        s.Hash = hash;
        s.Threats = threats;
        s.Line = line;
    }

private:
    struct TSlot {
        std::uint64_t Hash = 0;
        int Threats = std::numeric_limits<int>::max(); // an empty slot matches nothing
        std::vector<TCell> Line;
    };
    std::vector<TSlot> Slots;
    std::size_t Mask;
};

class TThreatSearch {
public:
    TThreatSearch(TSearchBoard& board, TSearchClock& clock);

    // Whether the side to move wins by fours alone, with at most maxFours of them; the line of
    // moves (its fours and the forced replies) is then in Line(). No more than nodeLimit
    // positions are looked at; a search cut short finds no win.
    bool Vcf(int maxFours, std::uint64_t nodeLimit);
    // The same by fours and open threes, at most maxThreats of them, each leaf trying fours.
    bool Vct(int maxThreats, std::uint64_t nodeLimit);
    const std::vector<TCell>& Line() const { return WinLine; }
    std::uint64_t Nodes() const { return Counted; }

private:
    bool FourWins(int fours);
    bool ThreatWins(int threats);
    bool DefenceFails(int threats);
    bool CutShort();
    // Fours (or threats) of colour, strongest first.
    void Attacks(int colour, bool threesToo, std::vector<TCell>& out) const;
    void Defences(std::vector<TCell>& out) const;
    void Prepend(TCell attack, TCell reply);

    TSearchBoard& Board;
    TSearchClock& Clock;
    TFailCache FourFails{16};
    TFailCache ThreatFails{14};
    TWinCache DefenceLosses{14};
    std::vector<TCell> WinLine;
    std::uint64_t Counted = 0;
    std::uint64_t Limit = 0;
    int LeafFours = 12;
};

// What the judge of the rules reads: any square board as a size and the stone on each square,
// so the game, the strong player's board and saved records can all be judged the same way.
#pragma once

#include "core/Types.h"

#include <vector>

class TBoardView {
public:
    virtual ~TBoardView() = default;
    virtual int Size() const = 0;
    // NoStone, BlackStone or WhiteStone; x is the column and y the row, both from 0.
    virtual TStoneColor At(int x, int y) const = 0;
};

// A plain board of its own, for records, tools and tests.
class TRuleBoard : public TBoardView {
public:
    explicit TRuleBoard(int size)
        : Side(size), Stones(static_cast<std::size_t>(size * size), NoStone) {}
    int Size() const override { return Side; }
    TStoneColor At(int x, int y) const override { return Stones[Index(x, y)]; }
    void Set(int x, int y, TStoneColor c) { Stones[Index(x, y)] = c; }

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y * Side + x); }
    int Side;
    std::vector<TStoneColor> Stones;
};

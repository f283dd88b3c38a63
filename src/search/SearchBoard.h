// The strong player's board: any square size from 15 to 22, with every empty square's line
// shapes for both colours kept up to date stone by stone.
#pragma once

#include "search/Emperor.h"
#include "search/LinePatterns.h"
#include "variants/Rule.h"

#include <array>
#include <cstdint>
#include <vector>

// Squares are numbered on a grid of 32 columns with a margin of four off-board squares on every
// side, so that stepping four squares in any direction from a square of the board stays inside.
using TCell = int;
constexpr int CellStride = 32;
constexpr int CellMargin = LineReach;
constexpr int CellCount = CellStride * (MaxSearchSize + 2 * CellMargin);
constexpr TCell NoCell = -1;
constexpr std::array<int, 4> CellStep = {1, CellStride, CellStride + 1, CellStride - 1};

constexpr int Black = 1;
constexpr int White = 2;
constexpr int OffBoard = 3;
constexpr int Other(int colour) {
    return 3 - colour;
}

class TSearchBoard {
public:
    explicit TSearchBoard(int size, TRule rule = TRule::Freestyle);

    int Size() const { return BoardSize; }
    TRule Rule() const { return Played; }
    TCell CellOf(int x, int y) const { return (y + CellMargin) * CellStride + x + CellMargin; }
    int XOf(TCell c) const { return c % CellStride - CellMargin; }
    int YOf(TCell c) const { return c / CellStride - CellMargin; }
    bool OnBoard(TCell c) const { return c >= 0 && c < CellCount && Stone[c] != OffBoard; }

    int At(TCell c) const { return Stone[c]; }
    bool IsEmpty(TCell c) const { return Stone[c] == 0; }
    int ToMove() const { return SideToMove; }
    int StoneCount() const { return static_cast<int>(History.size()); }
    TCell LastMove() const { return History.empty() ? NoCell : History.back(); }
    const std::vector<TCell>& Moves() const { return History; }
    std::uint64_t Hash() const { return Key ^ SideKey[SideToMove - 1]; }
    // The hash after the side to move plays c.
    std::uint64_t HashAfter(TCell c) const {
        return Key ^ StoneKey[SideToMove - 1][c] ^ SideKey[Other(SideToMove) - 1];
    }

    // A stone of the side to move, which then passes the turn; Undo takes back the latest.
    void Play(TCell c);
    void Undo();
    // For setting up a position: a stone of the given colour, the turn unchanged.
    void Place(TCell c, int colour);
    void SetToMove(int colour) { SideToMove = colour; }

    // What a stone of colour on the empty square c would make.
    TShape ShapeAt(int colour, TCell c) const { return Shapes[colour - 1][c].Shape; }
    int ValueAt(int colour, TCell c) const { return Shapes[colour - 1][c].Value; }
    TLine LineAt(int colour, TCell c, int direction) const {
        return Lines[colour - 1][c][direction];
    }
    // How many empty squares give colour each shape.
    int CountOf(int colour, TShape s) const { return Tally[colour - 1][static_cast<int>(s)]; }
    // How many empty squares give colour at least shape s.
    int CountUpTo(int colour, TShape s) const {
        int n = 0;
        for (int i = 0; i <= static_cast<int>(s); ++i) {
            n += Tally[colour - 1][i];
        }
        return n;
    }
    // The first empty square where colour gets at least shape s, near the given square if it lies
    // on one of its lines, else anywhere; NoCell if there is none.
    TCell FindShape(int colour, TShape s, TCell near = NoCell) const;
    // Colour's side of the position's worth, as the side to move or the side that waits: the sum
    // of every empty square's worth to it.
    int WorthSum(int colour, TWorthSide side) const {
        return Total[colour - 1][static_cast<int>(side)];
    }
    // Empty squares within two of a stone: where moves worth trying are.
    bool IsNearStone(TCell c) const { return Near[c] > 0 && Stone[c] == 0; }
    // Empty squares worth trying, in board order.
    void Candidates(std::vector<TCell>& out) const;
    // Whether the stone on c makes a win (five or more, or exactly five where the rule asks it);
    // whether any stone does.
    bool MakesFive(TCell c) const;
    bool HasFive() const;
    // The first empty square in board order; NoCell on a full board.
    TCell FindEmpty() const;
    // Whether every square is taken.
    bool Full() const { return StoneCount() == BoardSize * BoardSize; }
    // Whether colour may not play the empty square c: black's fouls under renju, by the judge,
    // asked only where the shapes show two fours, two threes or six in a row may be there.
    bool Forbidden(int colour, TCell c) const { return MayFoul(colour) && Foul(c); }
    bool MayFoul(int colour) const { return colour == Black && Played == TRule::Renju; }
    // Whether colour has a square for an open four (or two fours) that it may play.
    bool HasFlex4(int colour) const {
        return CountOf(colour, TShape::Flex4) > 0 &&
               (!MayFoul(colour) || FindAllowed(colour, TShape::Flex4) != NoCell);
    }
    // The first square with at least shape s for colour, as FindShape, that colour may play.
    TCell FindAllowed(int colour, TShape s, TCell near = NoCell) const;

private:
    void SetStone(TCell c, int colour);
    void ClearStone(TCell c);
    void PutBack();
    void Refresh(TCell c, int direction);
    void RefreshLine(int i, TCell c, int direction);
    TLine LineFromKeys(TCell c, int direction, int i) const;
    void Reshape(int i, TCell c);
    void RefreshEmpty(TCell c, int direction);
    void Count(TCell c, int sign);
    void RefreshFar(TCell c, int colour);
    std::uint32_t FarKey(TCell c, int direction, int colour) const;
    int Run(TCell c, int direction, int colour) const;
    bool Foul(TCell c) const;

    int BoardSize;
    TRule Played;
    // Per colour, whether only exactly five wins it; then its line shapes come from ExactLines.
    std::array<bool, 2> ExactFive;
    const TExactLines* ExactLines = nullptr;
    int SideToMove = Black;
    std::uint64_t Key = 0;
    std::vector<TCell> History;
    std::array<std::uint8_t, CellCount> Stone{};
    std::array<std::uint8_t, CellCount> Near{};
    std::array<std::array<TLineKey, 4>, CellCount> Keys{};
    std::array<std::array<std::array<TLine, 4>, CellCount>, 2> Lines{};
    std::array<std::array<std::int16_t, CellCount>, 2> ShapeIndex{}; // Index() of the four lines
    std::array<std::array<TSquareShape, CellCount>, 2> Shapes{};
    std::array<std::array<int, ShapeCount>, 2> Tally{};
    std::array<std::array<int, WorthSides>, 2> Total{};
    // What each stone changed around it, so that taking it back restores rather than recomputes.
    struct TChange {
        TCell Square;
        std::uint8_t Colour; // 0 black, 1 white
        std::uint8_t Direction;
        TLine Line;
        std::int16_t Index;
        TSquareShape Shape;
    };
    struct TMark {
        std::size_t Changes;
        std::array<std::array<int, ShapeCount>, 2> Tally;
        std::array<std::array<int, WorthSides>, 2> Total;
    };
    std::vector<TChange> Changes;
    std::vector<TMark> Marks;
    std::array<std::array<std::uint64_t, CellCount>, 2> StoneKey;
    std::array<std::uint64_t, 2> SideKey;
    const TPatternTables& Tables;
};

// The board of a position that TEmperor::Problem() finds nothing wrong with.
TSearchBoard BoardOf(const TSearchPosition& position);

// Painting of one board cell (inside, ring, stone), shared by the board and the options preview.
#pragma once

#include "core/LiveSettings.h"
#include "core/Types.h"

#include <QColor>
#include <QRect>

class QPainter;

// A colour value (00BBGGRR) as a Qt colour; negative values name system colours of the palette.
QColor ColorFromValue(TColorValue value);
// A Qt colour as a colour value (00BBGGRR).
TColorValue ValueFromColor(const QColor& color);

// The fixed stone colours: black stones have an aqua rim, white stones are aqua with a black rim.
inline constexpr TColorValue StoneAqua = 0xFFFF00;
inline constexpr TColorValue StoneBlack = 0x000000;

// cell is the whole 19 x 19 cell rectangle. Fills its 17 x 17 inside (the cell shrunk by one
// pixel) with brush and draws that area's outer pixel ring in pen.
void PaintCellInside(QPainter& painter, const QRect& cell, TColorValue brush, TColorValue pen);
// Draws the stone of colour stone (nothing for NoStone) as a 13-pixel disc inset by 3 pixels.
void PaintStone(QPainter& painter, const QRect& cell, TStoneColor stone);
// Inside, ring and stone in one call.
void PaintCell(QPainter& painter, const QRect& cell, TColorValue inside, TColorValue ring,
               TStoneColor stone);

// The board's look of square (X, Y) from the game state and the live colours: the grid's fixed-cell
// colour, or the last-move colour with a ring of last-move colour XOR board colour; the stones of a
// winning five carry its mark, and a square forbidden to black to move a cross.
void PaintBoardSquare(QPainter& painter, const QRect& cell, int X, int Y, TColorValue fixedColor);
// The preview grid's look of cell (col, row), 0..4: the sample position with the pending hint and
// last-move colours; cells outside paint nothing.
void PaintPreviewCell(QPainter& painter, const QRect& cell, int col, int row,
                      TColorValue boardColor);
// The mark of a stone of the winning five: a dot of the stone's rim colour at its centre.
void PaintWinMark(QPainter& painter, const QRect& cell, TStoneColor stone);
// The mark of a square forbidden to black: a small red cross at its centre.
void PaintForbiddenMark(QPainter& painter, const QRect& cell);
// The hint flash: hint colour inside with a black ring, no stone.
void PaintHintFlash(QPainter& painter, const QRect& cell, TColorValue hintColor);
// A stone of Emperor's line: the stone at half strength with its place in the line, 1 first
// (none below 1).
void PaintGhostStone(QPainter& painter, const QRect& cell, TStoneColor stone, int step);
// The keyboard's focus frame: a light ring around a dark one inside the cell's 17 x 17 inside,
// clear of the stone, so one of the two shows on any board colour and beside either stone.
void PaintFocusFrame(QPainter& painter, const QRect& cell);

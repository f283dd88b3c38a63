// One board cell as the board grid and the options preview paint it.
#include "ui/BoardPainter.h"

#include "core/Rules.h"
#include "game/GameRules.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>

namespace {

constexpr int InsideInset = 1;
constexpr int StoneInset = 3;
constexpr int PreviewCells = 5;
constexpr double WinMarkRadius = 2.5;
constexpr TColorValue ForbiddenRed = 0x0000FF;

// The sample position of the preview, [column][row].
constexpr TStoneColor PreviewPosition[PreviewCells][PreviewCells] = {
    {WhiteStone, WhiteStone, BlackStone, WhiteStone, NoStone},
    {BlackStone, WhiteStone, BlackStone, NoStone, NoStone},
    {BlackStone, BlackStone, NoStone, NoStone, NoStone},
    {BlackStone, NoStone, WhiteStone, NoStone, NoStone},
    {NoStone, NoStone, NoStone, NoStone, NoStone},
};
constexpr int PreviewLastCol = 1, PreviewLastRow = 2;
constexpr int PreviewHintCol = 4, PreviewHintRow = 0;

QPalette::ColorRole SystemColorRole(int index) {
    switch (index) {
    case 5: // window
        return QPalette::Base;
    case 8: // window text
    case 7: // menu text
        return QPalette::Text;
    case 4: // menu
        return QPalette::Window;
    case 16: // button shadow
        return QPalette::Dark;
    case 20: // button highlight
        return QPalette::Light;
    case 13: // highlight
        return QPalette::Highlight;
    case 14: // highlighted text
        return QPalette::HighlightedText;
    case 18: // button text
        return QPalette::ButtonText;
    default:
        return QPalette::Button;
    }
}

} // namespace

QColor ColorFromValue(TColorValue value) {
    if (value < 0) {
        return QGuiApplication::palette().color(SystemColorRole(value & 0xFF));
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

TColorValue ValueFromColor(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

void PaintCellInside(QPainter& painter, const QRect& cell, TColorValue brush, TColorValue pen) {
    const QRect area = cell.adjusted(InsideInset, InsideInset, -InsideInset, -InsideInset);
    painter.fillRect(area, ColorFromValue(pen));
    painter.fillRect(area.adjusted(1, 1, -1, -1), ColorFromValue(brush));
}

void PaintStone(QPainter& painter, const QRect& cell, TStoneColor stone) {
    if (stone == NoStone) {
        return;
    }
    const bool black = stone == BlackStone;
    const QRect box = cell.adjusted(StoneInset, StoneInset, -StoneInset, -StoneInset);
    painter.save();
    // Aliased, a 13-pixel disc is a jagged octagon; smoothed, it reads as round at any density.
    // The rim is the outer pixel of the disc: a disc of the rim colour under one a pixel smaller
    // keeps it as strong as an aliased rim, where a smoothed one-pixel pen would blur it.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ColorFromValue(black ? StoneAqua : StoneBlack));
    painter.drawEllipse(QRectF(box));
    painter.setBrush(ColorFromValue(black ? StoneBlack : StoneAqua));
    painter.drawEllipse(QRectF(box).adjusted(1, 1, -1, -1));
    painter.restore();
}

void PaintCell(QPainter& painter, const QRect& cell, TColorValue inside, TColorValue ring,
               TStoneColor stone) {
    PaintCellInside(painter, cell, inside, ring);
    PaintStone(painter, cell, stone);
}

void PaintBoardSquare(QPainter& painter, const QRect& cell, int X, int Y, TColorValue fixedColor) {
    if (!OnBoard(X, Y)) {
        return;
    }
    if (X == Game.LastMoveX && Y == Game.LastMoveY) {
        PaintCell(painter, cell, Live.LastMoveColor, Live.LastMoveColor ^ Live.BoardColor,
                  Game.Board[X][Y]);
    } else {
        PaintCell(painter, cell, fixedColor, fixedColor, Game.Board[X][Y]);
    }
    if (InWinningFive(X, Y)) {
        PaintWinMark(painter, cell, Game.Board[X][Y]);
    }
    if (!ForbiddenReason(X, Y).isEmpty()) {
        PaintForbiddenMark(painter, cell);
    }
}

void PaintForbiddenMark(QPainter& painter, const QRect& cell) {
    const QRectF cross = QRectF(cell).adjusted(cell.width() / 3.0, cell.height() / 3.0,
                                               -cell.width() / 3.0, -cell.height() / 3.0);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ColorFromValue(ForbiddenRed), 1.5));
    painter.drawLine(cross.topLeft(), cross.bottomRight());
    painter.drawLine(cross.topRight(), cross.bottomLeft());
    painter.restore();
}

void PaintWinMark(QPainter& painter, const QRect& cell, TStoneColor stone) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ColorFromValue(stone == BlackStone ? StoneAqua : StoneBlack));
    painter.drawEllipse(QRectF(cell).center(), WinMarkRadius, WinMarkRadius);
    painter.restore();
}

void PaintPreviewCell(QPainter& painter, const QRect& cell, int col, int row,
                      TColorValue boardColor) {
    if (static_cast<unsigned>(col) >= PreviewCells || static_cast<unsigned>(row) >= PreviewCells) {
        return;
    }
    if (col == PreviewLastCol && row == PreviewLastRow) {
        PaintCellInside(painter, cell, Live.PendingLastMoveColor, StoneBlack);
    } else if (col == PreviewHintCol && row == PreviewHintRow) {
        PaintCellInside(painter, cell, Live.PendingHintColor, StoneBlack);
    } else {
        PaintCellInside(painter, cell, boardColor, boardColor);
    }
    PaintStone(painter, cell, PreviewPosition[col][row]);
}

void PaintHintFlash(QPainter& painter, const QRect& cell, TColorValue hintColor) {
    PaintCellInside(painter, cell, hintColor, StoneBlack);
}

void PaintFocusFrame(QPainter& painter, const QRect& cell) {
    const auto ring = [&painter](const QRect& r, Qt::GlobalColor color) {
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), color);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), color);
    };
    const QRect outer = cell.adjusted(InsideInset, InsideInset, -InsideInset, -InsideInset);
    ring(outer, Qt::white);
    ring(outer.adjusted(1, 1, -1, -1), Qt::black);
}

void PaintGhostStone(QPainter& painter, const QRect& cell, TStoneColor stone, int step) {
    painter.save();
    painter.setOpacity(0.5);
    PaintStone(painter, cell, stone);
    painter.setOpacity(1.0);
    if (step <= 0) {
        painter.restore();
        return;
    }
    QFont font = painter.font();
    font.setPixelSize(std::max(6, cell.height() * (step < 10 ? 11 : 8) / 19));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(stone == BlackStone ? Qt::white : Qt::black);
    painter.drawText(cell, Qt::AlignCenter, QString::number(step));
    painter.restore();
}

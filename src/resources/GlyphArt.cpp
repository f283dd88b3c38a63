// Glyphs of the four tool-bar buttons: new game, load game, save game, options.
#include "resources/ArtCommon.h"
#include "resources/Artwork.h"

#include <QPainterPath>

namespace Artwork {
namespace {

void DrawNewGame(QPainter& p) {
    Detail::DrawBoardPatch(p, QRectF(3, 3, 26, 26), 5);
    Detail::DrawStone(p, QRectF(8.5, 8.5, 9, 9), true);
    Detail::DrawStone(p, QRectF(14.5, 14.5, 9, 9), false);
}

void DrawLoadGame(QPainter& p) {
    p.setPen(QPen(QColor(96, 64, 0), 1));
    p.setBrush(QColor(224, 176, 48));
    p.drawRect(QRectF(3.5, 9.5, 22, 17));
    p.drawRect(QRectF(3.5, 6.5, 9, 3));
    p.setBrush(QColor(255, 216, 96));
    p.drawPolygon(QPolygonF({{3.5, 26.5}, {9.5, 14.5}, {29.5, 14.5}, {25.5, 26.5}}));
    // The arrow out of the folder: a game comes back.
    p.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(20, 11), QPointF(20, 3));
    p.drawPolyline(QPolygonF({{16.5, 6.5}, {20, 3}, {23.5, 6.5}}));
}

void DrawSaveGame(QPainter& p) {
    p.setPen(QPen(QColor(0, 0, 64), 1));
    p.setBrush(QColor(48, 64, 176));
    QPainterPath disk;
    disk.moveTo(3.5, 3.5);
    disk.lineTo(25.5, 3.5);
    disk.lineTo(28.5, 6.5);
    disk.lineTo(28.5, 28.5);
    disk.lineTo(3.5, 28.5);
    disk.closeSubpath();
    p.drawPath(disk);
    p.setBrush(QColor(224, 224, 224));
    p.drawRect(QRectF(8.5, 3.5, 15, 9));
    p.setBrush(QColor(96, 96, 96));
    p.drawRect(QRectF(18.5, 5.5, 3, 5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7.5, 17.5, 17, 11));
}

void DrawOptions(QPainter& p) {
    // Three sliders: the settings of the options dialog.
    for (int i = 0; i < 3; ++i) {
        const qreal y = 8 + i * 8;
        p.setPen(QPen(QColor(32, 32, 32), 2));
        p.drawLine(QPointF(4, y), QPointF(28, y));
        const qreal knob = i == 0 ? 10 : (i == 1 ? 21 : 14);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(i == 1 ? Detail::Aqua : QColor(224, 224, 224));
        p.drawRect(QRectF(knob - 2.5, y - 3.5, 5, 7));
    }
}

} // namespace

QPixmap ToolGlyph(TToolGlyph which, qreal dpr) {
    QPixmap picture = Detail::NewPicture(ToolGlyphSize, dpr);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    switch (which) {
    case TToolGlyph::NewGame:
        DrawNewGame(p);
        break;
    case TToolGlyph::LoadGame:
        DrawLoadGame(p);
        break;
    case TToolGlyph::SaveGame:
        DrawSaveGame(p);
        break;
    case TToolGlyph::Options:
        DrawOptions(p);
        break;
    }
    return picture;
}

} // namespace Artwork

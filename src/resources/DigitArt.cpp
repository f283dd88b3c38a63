// Seven-segment digit strips and the time separator of the digit displays.
#include "resources/ArtCommon.h"
#include "resources/Artwork.h"

#include <QPolygonF>

#include <array>
#include <cmath>

namespace Artwork {
namespace {

const QColor LitSegment(255, 255, 255);
// Dim enough that an unlit bar never passes for a lit one: "01" must not read as "03".
const QColor UnlitSegment(28, 28, 28);

// Segments a to g of each digit, as bits a = 1, b = 2, ... g = 64.
constexpr std::array<int, 10> SegmentsOf = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                            0x6D, 0x7D, 0x07, 0x7F, 0x6F};

// A bar with pointed ends between two points on its centre line.
QPolygonF Bar(QPointF from, QPointF to, qreal thickness) {
    const qreal h = thickness / 2;
    if (from.y() == to.y()) {
        return QPolygonF({from,
                          {from.x() + h, from.y() - h},
                          {to.x() - h, to.y() - h},
                          to,
                          {to.x() - h, to.y() + h},
                          {from.x() + h, from.y() + h}});
    }
    return QPolygonF({from,
                      {from.x() + h, from.y() + h},
                      {to.x() + h, to.y() - h},
                      to,
                      {to.x() - h, to.y() - h},
                      {from.x() - h, from.y() + h}});
}

void DrawDigit(QPainter& p, const QRectF& cell, int segments) {
    const qreal t = 2;
    const qreal left = cell.left() + qRound(cell.width() * 0.2) + t / 2;
    const qreal right = cell.right() - qRound(cell.width() * 0.2) - t / 2;
    const qreal top = cell.top() + 2 + t / 2;
    const qreal bottom = cell.bottom() - 2 - t / 2;
    const qreal midLine = std::floor((top + bottom) / 2); // keeps the middle bar on whole pixels
    const std::array<QPolygonF, 7> bars = {
        Bar({left, top}, {right, top}, t),         // a
        Bar({right, top}, {right, midLine}, t),    // b
        Bar({right, midLine}, {right, bottom}, t), // c
        Bar({left, bottom}, {right, bottom}, t),   // d
        Bar({left, midLine}, {left, bottom}, t),   // e
        Bar({left, top}, {left, midLine}, t),      // f
        Bar({left, midLine}, {right, midLine}, t), // g
    };
    p.setPen(Qt::NoPen);
    for (int s = 0; s < 7; ++s) {
        p.setBrush((segments >> s) & 1 ? LitSegment : UnlitSegment);
        p.drawPolygon(bars[s]);
    }
}

} // namespace

QPixmap DigitStrip(QSize cell, qreal dpr) {
    QPixmap strip = Detail::NewPicture({cell.width() * 11, cell.height()}, dpr, Qt::black);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing, dpr >= 2);
    for (int digit = 0; digit < 10; ++digit) {
        DrawDigit(p, QRectF(QPointF(digit * cell.width(), 0), QSizeF(cell)), SegmentsOf[digit]);
    }
    return strip;
}

QPixmap BigDigits(qreal dpr) {
    return DigitStrip({16, 21}, dpr);
}

QPixmap SmallDigits(qreal dpr) {
    return DigitStrip({15, 20}, dpr);
}

QPixmap TimeSeparator(qreal dpr) {
    QPixmap picture = Detail::NewPicture({16, 21}, dpr, Qt::black);
    QPainter p(&picture);
    p.fillRect(QRectF(7, 6, 2, 2), LitSegment);
    p.fillRect(QRectF(7, 13, 2, 2), LitSegment);
    return picture;
}

} // namespace Artwork

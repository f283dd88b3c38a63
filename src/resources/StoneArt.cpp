// Turn-indicator stone pictures, the two board cursors and the window icon.
#include "resources/ArtCommon.h"
#include "resources/Artwork.h"

#include <QIconEngine>
#include <QPolygonF>

#include <algorithm>

namespace Artwork {
namespace {

const QColor Shadow(128, 128, 128);

QPixmap StonePicture(bool black, qreal dpr) {
    QPixmap picture = Detail::NewPicture({20, 20}, dpr);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Shadow);
    p.drawEllipse(QRectF(3, 3, 16, 16));
    Detail::DrawStone(p, QRectF(1, 1, 16, 16), black);
    return picture;
}

// The classic arrow, tip at the origin, in logical pixels.
QPolygonF ArrowShape() {
    return QPolygonF({{0, 0}, {0, 16}, {4, 12}, {7, 19}, {9, 18}, {6, 11}, {11, 11}});
}

QCursor ArrowCursor(const QColor& body, const QColor& outline, qreal dpr) {
    QPixmap picture = Detail::NewPicture({32, 32}, dpr);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, false); // monochrome: body, outline, nothing between
    p.setPen(QPen(outline, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(body);
    p.drawPolygon(ArrowShape());
    p.end();
    return QCursor(picture, 0, 0);
}

} // namespace

QPixmap WhiteStonePicture(qreal dpr) {
    return StonePicture(false, dpr);
}

QPixmap BlackStonePicture(qreal dpr) {
    return StonePicture(true, dpr);
}

QCursor WhiteArrowCursor(qreal dpr) {
    return ArrowCursor(Qt::white, Qt::black, dpr);
}

QCursor BlackArrowCursor(qreal dpr) {
    return ArrowCursor(Qt::black, Qt::white, dpr);
}

QPixmap IconPicture(int size, qreal dpr) {
    QPixmap picture = Detail::NewPicture({size, size}, dpr);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(Qt::NoPen);
    p.setBrush(Detail::BoardGrey);
    p.drawRoundedRect(QRectF(0, 0, s, s), s / 8, s / 8);
    p.setPen(QPen(Qt::black, std::max(1.0, s / 48)));
    for (int i = 1; i < 5; ++i) {
        p.drawLine(QPointF(s * i / 5, s / 16), QPointF(s * i / 5, s - s / 16));
        p.drawLine(QPointF(s / 16, s * i / 5), QPointF(s - s / 16, s * i / 5));
    }
    // Five in a row on the diagonal, the winning line of the game.
    const qreal d = s / 5 * 0.9;
    for (int i = 0; i < 5; ++i) {
        const QPointF centre(s * (i + 0.5) / 5, s * (i + 0.5) / 5);
        Detail::DrawStone(p, QRectF(centre - QPointF(d / 2, d / 2), QSizeF(d, d)), true);
    }
    Detail::DrawStone(p, QRectF(s * 3.5 / 5 - d / 2, s * 0.5 / 5 - d / 2, d, d), false);
    Detail::DrawStone(p, QRectF(s * 0.5 / 5 - d / 2, s * 3.5 / 5 - d / 2, d, d), false);
    return picture;
}

namespace {

// The icon drawn at the size asked for, whenever it is asked for: the window hands each size to
// the window system once, and seven pictures kept for the whole run would hold 360 kB.
class TDrawnIconEngine final : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->drawPixmap(rect, IconPicture(std::min(rect.width(), rect.height()),
                                              painter->device()->devicePixelRatioF()));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        return IconPicture(std::min(size.width(), size.height()), 1.0);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    }
    QIconEngine* clone() const override { return new TDrawnIconEngine; }
};

} // namespace

QIcon WindowIcon() {
    return QIcon(new TDrawnIconEngine);
}

} // namespace Artwork

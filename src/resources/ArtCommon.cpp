// Drawing helpers shared by the artwork files.
#include "resources/ArtCommon.h"

#include "resources/Artwork.h"
#include "resources/Fonts.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainterPath>
#include <QScreen>
#include <QTransform>

#include <algorithm>

namespace Artwork {

qreal DefaultRatio() {
    qreal ratio = 1.0;
    if (qGuiApp != nullptr) {
        for (const QScreen* screen : QGuiApplication::screens()) {
            ratio = std::max(ratio, screen->devicePixelRatio());
        }
    }
    return ratio;
}

namespace Detail {

QPixmap NewPicture(QSize size, qreal dpr, const QColor& fill) {
    QPixmap picture(size * dpr);
    picture.setDevicePixelRatio(dpr);
    picture.fill(fill);
    return picture;
}

void DrawStone(QPainter& p, const QRectF& box, bool black) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(black ? Aqua : QColor(Qt::black), 1.0));
    p.setBrush(black ? QColor(Qt::black) : Aqua);
    p.drawEllipse(box.adjusted(0.5, 0.5, -0.5, -0.5));
    p.restore();
}

void DrawBoardPatch(QPainter& p, const QRectF& area, qreal cell) {
    p.save();
    p.setClipRect(area);
    p.fillRect(area, Qt::black);
    for (qreal y = area.top(); y < area.bottom(); y += cell + 1) {
        for (qreal x = area.left(); x < area.right(); x += cell + 1) {
            p.fillRect(QRectF(x, y, cell, cell), BoardGrey);
        }
    }
    p.restore();
}

void DrawGradientText(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                      const QColor& top, const QColor& bottom) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    QRectF bounds = path.boundingRect();
    if (bounds.width() > box.width()) {
        // Too wide for its box: shrink the text rather than cut it.
        const qreal scale = box.width() / bounds.width();
        path = QTransform::fromScale(scale, scale).map(path);
        bounds = path.boundingRect();
    }
    path.translate(box.center() - bounds.center());
    QLinearGradient gradient(0, box.top(), 0, box.bottom());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(path, gradient);
    p.restore();
}

QFont SansFont(qreal pixelSize, bool bold) {
    QFont font = Fonts::Pixels(Fonts::TFamily::MSSansSerif, qRound(pixelSize));
    font.setBold(bold);
    return font;
}

} // namespace Detail
} // namespace Artwork

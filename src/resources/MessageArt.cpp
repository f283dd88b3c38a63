// Icons of the program's message boxes, drawn at the screen's pixel ratio: the toolkit's own are
// 32-pixel bitmaps that turn blurry when scaled up.
#include "resources/ArtCommon.h"
#include "resources/Artwork.h"

namespace Artwork {

QPixmap MessageIcon(TMessageIcon kind, qreal dpr) {
    QPixmap picture = Detail::NewPicture(MessageIconSize, dpr);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const bool stop = kind == TMessageIcon::Stop;
    p.setPen(QPen(stop ? QColor(128, 0, 0) : QColor(0, 48, 128), 1));
    p.setBrush(stop ? QColor(216, 32, 32) : QColor(48, 112, 208));
    p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    if (stop) {
        p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(11, 11), QPointF(21, 21));
        p.drawLine(QPointF(21, 11), QPointF(11, 21));
    } else {
        p.setPen(Qt::white);
        p.setFont(Detail::SansFont(22, true));
        p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("?"));
    }
    return picture;
}

} // namespace Artwork

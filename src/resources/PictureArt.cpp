// Caption pictures of the main window, the splash picture and the about picture.
#include "resources/ArtCommon.h"
#include "resources/Artwork.h"

#include <cmath>

namespace Artwork {
namespace {

const QColor Gold(255, 224, 96);
const QColor Amber(192, 112, 0);

QPixmap Caption(QSize size, const QString& text, qreal dpr) {
    QPixmap picture = Detail::NewPicture(size, dpr, Qt::black);
    QPainter p(&picture);
    QFont font = Detail::SansFont(size.height() - 4, true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    Detail::DrawGradientText(p, QRectF(QPointF(0, 0), QSizeF(size)), text, font, Gold, Amber);
    return picture;
}

// The title scene of the splash and about pictures: a board corner with five in a row, the
// program's name and a line under it.
void DrawTitleScene(QPainter& p, QSize size, const QString& subtitle) {
    const QRectF all(QPointF(0, 0), QSizeF(size));
    p.fillRect(all, Qt::black);
    const qreal board = std::floor((size.height() - 23) / 20.0) * 20 - 1; // whole squares only
    const QRectF patch(12, 12, board, board);
    Detail::DrawBoardPatch(p, patch, 19);
    for (int i = 0; i < 5; ++i) {
        const qreal at = 12 + 20 * (i + 1) + 3;
        Detail::DrawStone(p, QRectF(at, at, 13, 13), true);
    }
    for (int i = 0; i < 3; ++i) {
        const qreal x = 12 + 20 * (i + 3) + 3;
        Detail::DrawStone(p, QRectF(x, 12 + 20 * 1 + 3, 13, 13), false);
    }
    const QRectF text(patch.right() + 12, 16, all.right() - patch.right() - 24, board * 0.55);
    Detail::DrawGradientText(p, text, QStringLiteral("RENNOR"),
                             Detail::SansFont(text.height() * 0.62, true), Gold, Amber);
    p.fillRect(QRectF(text.left(), text.bottom() + 2, text.width(), 2), Detail::Aqua);
    const QRectF below(text.left(), text.bottom() + 10, text.width(), board * 0.3);
    Detail::DrawGradientText(p, below, subtitle, Detail::SansFont(below.height() * 0.38, false),
                             Qt::white, QColor(160, 160, 160));
}

} // namespace

QPixmap MovesCaption(qreal dpr) {
    return Caption(MovesCaptionSize, QStringLiteral("MOVES DONE"), dpr);
}

QPixmap CoordinatesCaption(qreal dpr) {
    return Caption(CoordinatesCaptionSize, QStringLiteral("X : Y"), dpr);
}

QPixmap TimeElapsedCaption(qreal dpr) {
    return Caption(TimeElapsedCaptionSize, QStringLiteral("TIME ELAPSED"), dpr);
}

QPixmap SplashPicture(qreal dpr) {
    QPixmap picture = Detail::NewPicture(SplashSize, dpr, Qt::black);
    QPainter p(&picture);
    DrawTitleScene(p, SplashSize, QStringLiteral("Five in a row"));
    return picture;
}

QPixmap AboutPicture(qreal dpr) {
    QPixmap picture = Detail::NewPicture(AboutSize, dpr, Qt::black);
    QPainter p(&picture);
    DrawTitleScene(p, AboutSize, QStringLiteral("Version 1.0"));
    return picture;
}

} // namespace Artwork

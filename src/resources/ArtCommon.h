// Drawing helpers shared by the artwork files: blank pictures, stones, board patches, titles.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPixmap>

namespace Artwork::Detail {

inline const QColor Aqua(0, 255, 255);
inline const QColor BoardGrey(128, 128, 128);

// A picture of a logical size at a pixel ratio, filled with a colour (transparent by default).
QPixmap NewPicture(QSize size, qreal dpr, const QColor& fill = Qt::transparent);
// A stone in a box: black (aqua rim) or white (aqua disc, black rim).
void DrawStone(QPainter& p, const QRectF& box, bool black);
// A patch of board: grey squares of `cell` pixels with black lines between them.
void DrawBoardPatch(QPainter& p, const QRectF& area, qreal cell);
// Text filled with a vertical gradient from light to dark, centred in a box.
void DrawGradientText(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                      const QColor& top, const QColor& bottom);
// A sans font asked for by its classic name, with a style hint so any system sans answers.
QFont SansFont(qreal pixelSize, bool bold);

} // namespace Artwork::Detail

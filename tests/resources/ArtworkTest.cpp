// The drawn artwork: the stones' colours and see-through ground, and the stop icon's even cross
// (sizes at each pixel ratio, the digits and the captions are read in the windows' pictures).
#include "resources/Artwork.h"

#include <QImage>
#include <gtest/gtest.h>

#include <tuple>

namespace {

QImage Image(const QPixmap& p) {
    return p.toImage().convertToFormat(QImage::Format_ARGB32);
}

// Colour of a logical pixel, read at its centre so any pixel ratio gives the same answer.
QColor At(const QPixmap& p, int x, int y) {
    const qreal r = p.devicePixelRatio();
    return Image(p).pixelColor(int((x + 0.5) * r), int((y + 0.5) * r));
}

TEST(Artwork, StonesHaveTheirColoursOnATransparentGround) {
    const QPixmap white = Artwork::WhiteStonePicture(1.0);
    const QPixmap black = Artwork::BlackStonePicture(1.0);
    // Centres, the white stone's see-through corner, the black stone's opaque shadow, and a
    // square of the board in the about picture.
    const QColor grey(128, 128, 128);
    EXPECT_EQ(std::tuple(At(white, 9, 9), At(black, 9, 9), At(white, 0, 0).alpha(),
                         At(black, 13, 17), At(Artwork::AboutPicture(1.0), 20, 20)),
              std::tuple(QColor(0, 255, 255), QColor(Qt::black), 0, grey, grey));
    EXPECT_LT(At(white, 9, 1).value(), 64);  // black rim of the white stone
    EXPECT_GT(At(black, 9, 1).green(), 192); // aqua rim of the black stone
    // The stop icon's cross is even: each pixel as its mirror image's, but for smoothing.
    const QImage stop = Image(Artwork::MessageIcon(Artwork::TMessageIcon::Stop, 1.0));
    const QImage mirror = stop.mirrored(true, false);
    int worst = 0;
    for (int i = 0; i < stop.width() * stop.height(); ++i) {
        const QColor a = stop.pixelColor(i % 32, i / 32), b = mirror.pixelColor(i % 32, i / 32);
        worst = std::max({worst, std::abs(a.red() - b.red()), std::abs(a.green() - b.green())});
    }
    EXPECT_LT(worst, 32) << worst;
}

} // namespace

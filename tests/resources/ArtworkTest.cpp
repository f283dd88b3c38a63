// The drawn artwork: sharp at every pixel ratio, and the pixels that carry meaning.
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

QPixmap OptionsGlyph(qreal dpr) {
    return Artwork::ToolGlyph(Artwork::TToolGlyph::Options, dpr);
}

TEST(Artwork, PicturesKeepTheirLogicalSizeAndAreDrawnWithEveryDevicePixel) {
    using namespace Artwork;
    for (QPixmap (*draw)(qreal) :
         {BigDigits, SmallDigits, TimeSeparator, WhiteStonePicture, BlackStonePicture, MovesCaption,
          SplashPicture, AboutPicture, OptionsGlyph}) {
        const QSize logical = draw(1.0).size();
        for (const qreal dpr : {1.5, 2.0}) {
            const QPixmap sharp = draw(dpr);
            EXPECT_EQ(sharp.deviceIndependentSize().toSize(), logical) << dpr;
            EXPECT_EQ(sharp.size(),
                      QSize(qRound(logical.width() * dpr), qRound(logical.height() * dpr)))
                << dpr;
        }
    }
}

TEST(Artwork, DigitsShowSevenSegmentsAndABlankCellTheSeparatorTwoDots) {
    const QPixmap strip = Artwork::BigDigits(1.0);
    ASSERT_EQ(strip.size(), QSize(11 * 16, 21));
    const QColor white(Qt::white), black(Qt::black);
    const auto middleBar = [&](int digit) { return At(strip, digit * 16 + 8, 9); };
    EXPECT_EQ(middleBar(8), white);
    EXPECT_GT(middleBar(0).red(), 0); // unlit, dark grey
    EXPECT_LT(middleBar(0).red(), 100);
    EXPECT_EQ(At(strip, 1 * 16 + 8, 2), middleBar(0)); // "1" has no top bar
    EXPECT_EQ(At(strip, 7 * 16 + 8, 2), white);        // "7" has one
    QImage blankCell(16, 21, QImage::Format_ARGB32);
    blankCell.fill(black);
    EXPECT_EQ(Image(strip).copy(160, 0, 16, 21), blankCell);
    const QPixmap small = Artwork::SmallDigits(2.0);
    EXPECT_EQ(At(small, 8 * 15 + 7, 9), white);
    const QPixmap sep = Artwork::TimeSeparator(1.0);
    EXPECT_EQ(std::tuple(At(sep, 7, 6), At(sep, 8, 14), At(sep, 8, 10), At(sep, 0, 0)),
              std::tuple(white, white, black, black));
}

TEST(Artwork, StonesHaveTheirColoursOnATransparentGround) {
    const QPixmap white = Artwork::WhiteStonePicture(1.0);
    const QPixmap black = Artwork::BlackStonePicture(1.0);
    // Centres, the white stone's see-through corner, the black stone's opaque shadow.
    EXPECT_EQ(
        std::tuple(At(white, 9, 9), At(black, 9, 9), At(white, 0, 0).alpha(), At(black, 13, 17)),
        std::tuple(QColor(0, 255, 255), QColor(Qt::black), 0, QColor(128, 128, 128)));
    EXPECT_LT(At(white, 9, 1).value(), 64);  // black rim of the white stone
    EXPECT_GT(At(black, 9, 1).green(), 192); // aqua rim of the black stone
}

} // namespace

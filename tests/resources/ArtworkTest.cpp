// The drawn artwork: logical sizes at several pixel ratios and the pixels that carry meaning.
#include "resources/Artwork.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

QImage Image(const QPixmap& p) {
    return p.toImage().convertToFormat(QImage::Format_ARGB32);
}

QSize Logical(const QPixmap& p) {
    return p.deviceIndependentSize().toSize();
}

// Colour of a logical pixel, read at its centre so any pixel ratio gives the same answer.
QColor At(const QPixmap& p, int x, int y) {
    const qreal r = p.devicePixelRatio();
    return Image(p).pixelColor(int((x + 0.5) * r), int((y + 0.5) * r));
}

TEST(Artwork, PicturesHaveTheirLogicalSizeAtEveryPixelRatio) {
    for (const qreal dpr : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE(dpr);
        EXPECT_EQ(Logical(Artwork::BigDigits(dpr)), QSize(176, 21));
        EXPECT_EQ(Logical(Artwork::SmallDigits(dpr)), QSize(165, 20));
        EXPECT_EQ(Logical(Artwork::TimeSeparator(dpr)), QSize(16, 21));
        EXPECT_EQ(Logical(Artwork::WhiteStonePicture(dpr)), QSize(20, 20));
        EXPECT_EQ(Logical(Artwork::BlackStonePicture(dpr)), QSize(20, 20));
        EXPECT_EQ(Logical(Artwork::MovesCaption(dpr)), Artwork::MovesCaptionSize);
        EXPECT_EQ(Logical(Artwork::CoordinatesCaption(dpr)), Artwork::CoordinatesCaptionSize);
        EXPECT_EQ(Logical(Artwork::TimeElapsedCaption(dpr)), Artwork::TimeElapsedCaptionSize);
        EXPECT_EQ(Logical(Artwork::SplashPicture(dpr)), QSize(418, 189));
        EXPECT_EQ(Logical(Artwork::AboutPicture(dpr)), QSize(413, 208));
        for (auto g : {Artwork::TToolGlyph::NewGame, Artwork::TToolGlyph::LoadGame,
                       Artwork::TToolGlyph::SaveGame, Artwork::TToolGlyph::Options}) {
            EXPECT_EQ(Logical(Artwork::ToolGlyph(g, dpr)), QSize(32, 32));
        }
        // Sharp: drawn with as many device pixels as the ratio asks, not scaled up later.
        EXPECT_EQ(Artwork::BigDigits(dpr).width(), qRound(176 * dpr));
    }
}

TEST(Artwork, DigitStripShowsSevenSegmentsAndABlankCell) {
    const QPixmap strip = Artwork::BigDigits(1.0);
    const QColor white(255, 255, 255);
    const auto middleBar = [&](int digit) { return At(strip, digit * 16 + 8, 9); };
    EXPECT_EQ(middleBar(8), white);
    EXPECT_NE(middleBar(0), white); // unlit, dark grey
    EXPECT_GT(middleBar(0).red(), 0);
    EXPECT_LT(middleBar(0).red(), 100);
    EXPECT_EQ(At(strip, 1 * 16 + 8, 2), middleBar(0)); // "1" has no top bar
    EXPECT_EQ(At(strip, 7 * 16 + 8, 2), white);        // "7" has one
    EXPECT_EQ(At(strip, 0, 0), QColor(Qt::black));
    for (int y = 0; y < 21; ++y) {
        for (int x = 160; x < 176; ++x) {
            ASSERT_EQ(At(strip, x, y), QColor(Qt::black)) << x << "," << y;
        }
    }
    // The small strip draws the same digits in its own cells.
    const QPixmap small = Artwork::SmallDigits(2.0);
    EXPECT_EQ(At(small, 8 * 15 + 7, 9), white);
    EXPECT_EQ(At(small, 10 * 15 + 7, 9), QColor(Qt::black));
}

TEST(Artwork, TimeSeparatorIsTwoWhiteDots) {
    const QPixmap sep = Artwork::TimeSeparator(1.0);
    EXPECT_EQ(At(sep, 7, 6), QColor(Qt::white));
    EXPECT_EQ(At(sep, 8, 14), QColor(Qt::white));
    EXPECT_EQ(At(sep, 8, 10), QColor(Qt::black));
    EXPECT_EQ(At(sep, 0, 0), QColor(Qt::black));
}

TEST(Artwork, StonePicturesHaveTheirColoursAShadowAndATransparentGround) {
    const QColor aqua(0, 255, 255);
    const QPixmap white = Artwork::WhiteStonePicture(1.0);
    const QPixmap black = Artwork::BlackStonePicture(1.0);
    EXPECT_EQ(At(white, 9, 9), aqua);
    EXPECT_EQ(At(black, 9, 9), QColor(Qt::black));
    EXPECT_EQ(At(white, 0, 0).alpha(), 0);
    EXPECT_EQ(At(black, 19, 0).alpha(), 0);
    const QColor shadow = At(black, 13, 17);
    EXPECT_EQ(shadow.alpha(), 255);
    EXPECT_EQ(shadow, QColor(128, 128, 128));
    EXPECT_LT(At(white, 9, 1).value(), 64);  // black rim of the white stone
    EXPECT_GT(At(black, 9, 1).green(), 192); // aqua rim of the black stone
}

TEST(Artwork, CursorsAreArrowsWithTheHotSpotAtTheTip) {
    for (const qreal dpr : {1.0, 2.0}) {
        const QCursor whiteArrow = Artwork::WhiteArrowCursor(dpr);
        const QCursor blackArrow = Artwork::BlackArrowCursor(dpr);
        EXPECT_EQ(whiteArrow.hotSpot(), QPoint(0, 0));
        EXPECT_EQ(blackArrow.hotSpot(), QPoint(0, 0));
        EXPECT_EQ(Logical(whiteArrow.pixmap()), QSize(32, 32));
        // Tip and edge in the outline colour, inside in the body colour, elsewhere see-through.
        EXPECT_EQ(At(whiteArrow.pixmap(), 0, 0), QColor(Qt::black));
        EXPECT_EQ(At(whiteArrow.pixmap(), 2, 8), QColor(Qt::white));
        EXPECT_EQ(At(blackArrow.pixmap(), 0, 0), QColor(Qt::white));
        EXPECT_EQ(At(blackArrow.pixmap(), 2, 8), QColor(Qt::black));
        EXPECT_EQ(At(whiteArrow.pixmap(), 20, 5).alpha(), 0);
        EXPECT_EQ(At(blackArrow.pixmap(), 31, 31).alpha(), 0);
    }
}

TEST(Artwork, CaptionsAndTitlePicturesCarryDrawnContentOnBlack) {
    for (const QPixmap& p : {Artwork::MovesCaption(1.0), Artwork::CoordinatesCaption(1.0),
                             Artwork::TimeElapsedCaption(1.0), Artwork::SplashPicture(1.0),
                             Artwork::AboutPicture(1.0)}) {
        const QImage image = Image(p);
        EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
        int lit = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                lit += image.pixelColor(x, y).value() > 128 ? 1 : 0;
            }
        }
        EXPECT_GT(lit, image.width() / 2) << "nothing drawn on a " << image.width() << " picture";
    }
}

TEST(Artwork, WindowIconOffersEverySize) {
    const QIcon icon = Artwork::WindowIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : {16, 32, 48, 256}) {
        EXPECT_EQ(icon.pixmap(size, size).deviceIndependentSize().toSize(), QSize(size, size));
    }
    const QPixmap big = Artwork::IconPicture(64, 1.0);
    EXPECT_EQ(At(big, 6, 6),
              QColor(Qt::black)); // a stone of the diagonal row, in the corner square
}

} // namespace

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

QPixmap NewGameGlyph(qreal dpr) {
    return Artwork::ToolGlyph(Artwork::TToolGlyph::NewGame, dpr);
}

TEST(Artwork, PicturesHaveTheirLogicalSizeAtEveryPixelRatio) {
    using namespace Artwork;
    const std::pair<QPixmap (*)(qreal), QSize> pictures[] = {
        {BigDigits, {176, 21}},
        {SmallDigits, {165, 20}},
        {TimeSeparator, {16, 21}},
        {WhiteStonePicture, {20, 20}},
        {BlackStonePicture, {20, 20}},
        {MovesCaption, MovesCaptionSize},
        {CoordinatesCaption, CoordinatesCaptionSize},
        {TimeElapsedCaption, TimeElapsedCaptionSize},
        {SplashPicture, {418, 189}},
        {AboutPicture, {413, 208}},
        {NewGameGlyph, {32, 32}}};
    for (const qreal dpr : {1.0, 1.5, 2.0}) {
        for (const auto& [draw, size] : pictures) {
            EXPECT_EQ(Logical(draw(dpr)), size) << dpr;
        }
        for (auto g : {TToolGlyph::LoadGame, TToolGlyph::SaveGame, TToolGlyph::Options}) {
            EXPECT_EQ(Logical(ToolGlyph(g, dpr)), QSize(32, 32));
        }
        // Sharp: drawn with as many device pixels as the ratio asks, not scaled up later.
        EXPECT_EQ(BigDigits(dpr).width(), qRound(176 * dpr));
    }
}

TEST(Artwork, DigitsShowSevenSegmentsAndABlankCellTheSeparatorTwoDots) {
    const QPixmap strip = Artwork::BigDigits(1.0);
    const QColor white(Qt::white), black(Qt::black);
    const auto middleBar = [&](int digit) { return At(strip, digit * 16 + 8, 9); };
    EXPECT_EQ(middleBar(8), white);
    EXPECT_NE(middleBar(0), white); // unlit, dark grey
    EXPECT_GT(middleBar(0).red(), 0);
    EXPECT_LT(middleBar(0).red(), 100);
    EXPECT_EQ(At(strip, 1 * 16 + 8, 2), middleBar(0)); // "1" has no top bar
    EXPECT_EQ(At(strip, 7 * 16 + 8, 2), white);        // "7" has one
    EXPECT_EQ(At(strip, 0, 0), black);
    for (int y = 0; y < 21; ++y) {
        for (int x = 160; x < 176; ++x) {
            ASSERT_EQ(At(strip, x, y), black) << x << "," << y;
        }
    }
    // The small strip draws the same digits in its own cells.
    const QPixmap small = Artwork::SmallDigits(2.0);
    EXPECT_EQ(At(small, 8 * 15 + 7, 9), white);
    EXPECT_EQ(At(small, 10 * 15 + 7, 9), black);
    const QPixmap sep = Artwork::TimeSeparator(1.0);
    EXPECT_EQ(std::tuple(At(sep, 7, 6), At(sep, 8, 14), At(sep, 8, 10), At(sep, 0, 0)),
              std::tuple(white, white, black, black));
}

TEST(Artwork, StonePicturesHaveTheirColoursAShadowAndATransparentGround) {
    const QPixmap white = Artwork::WhiteStonePicture(1.0);
    const QPixmap black = Artwork::BlackStonePicture(1.0);
    EXPECT_EQ(At(white, 9, 9), QColor(0, 255, 255));
    EXPECT_EQ(At(black, 9, 9), QColor(Qt::black));
    EXPECT_EQ(At(white, 0, 0).alpha(), 0);
    EXPECT_EQ(At(black, 19, 0).alpha(), 0);
    EXPECT_EQ(At(black, 13, 17), QColor(128, 128, 128)); // the shadow, opaque
    EXPECT_LT(At(white, 9, 1).value(), 64);              // black rim of the white stone
    EXPECT_GT(At(black, 9, 1).green(), 192);             // aqua rim of the black stone
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

TEST(Artwork, CaptionsAndTitlePicturesCarryDrawnContentOnBlackAndTheIconEverySize) {
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
    const QIcon icon = Artwork::WindowIcon();
    for (const int size : {16, 32, 48, 256}) {
        EXPECT_EQ(icon.pixmap(size, size).deviceIndependentSize().toSize(), QSize(size, size));
    }
    // A stone of the diagonal row, in the corner square.
    EXPECT_EQ(At(Artwork::IconPicture(64, 1.0), 6, 6), QColor(Qt::black));
}

} // namespace

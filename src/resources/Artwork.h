// The program's pictures, drawn by code at the sizes the windows use, sharp at any pixel ratio.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QSize>

// Every picture is drawn at the device pixel ratio given (by default the highest ratio among the
// screens), so its deviceIndependentSize() is the logical size named here and it stays sharp on
// high-density screens. A QGuiApplication must exist.
namespace Artwork {

// Highest device pixel ratio among the screens; 1 when there are none.
qreal DefaultRatio();

// Seven-segment digit strip of eleven cells: 0 to 9 then a blank cell; lit segments white,
// unlit segments dark grey, black ground.
QPixmap DigitStrip(QSize cell, qreal dpr);
QPixmap BigDigits(qreal dpr = DefaultRatio());     // 176 x 21, cells 16 x 21
QPixmap SmallDigits(qreal dpr = DefaultRatio());   // 165 x 20, cells 15 x 20
QPixmap TimeSeparator(qreal dpr = DefaultRatio()); // 16 x 21, two white dots on black

// 20 x 20 turn-indicator pictures with a grey shadow to the lower right, transparent ground.
QPixmap WhiteStonePicture(qreal dpr = DefaultRatio()); // NoughtImage: aqua disc, black rim
QPixmap BlackStonePicture(qreal dpr = DefaultRatio()); // CrossImage: black disc, aqua rim

// 32 x 32 monochrome arrows with the hot spot at the tip (0, 0).
QCursor WhiteArrowCursor(qreal dpr = DefaultRatio()); // "WHITECURSOR": white body, black outline
QCursor BlackArrowCursor(qreal dpr = DefaultRatio()); // "BLACKCURSOR": black body, white outline

// 32 x 32 glyphs of the four tool-bar buttons, transparent ground.
enum class TToolGlyph { NewGame, LoadGame, SaveGame, Options };
QPixmap ToolGlyph(TToolGlyph which, qreal dpr = DefaultRatio());
inline constexpr QSize ToolGlyphSize{32, 32};

// Caption pictures of the main window, on black.
QPixmap MovesCaption(qreal dpr = DefaultRatio());       // Image1, 112 x 16, left of MovesDone
QPixmap CoordinatesCaption(qreal dpr = DefaultRatio()); // Image2, 112 x 18, over the coordinates
QPixmap TimeElapsedCaption(qreal dpr = DefaultRatio()); // TimeElapsedImage, 128 x 18
inline constexpr QSize MovesCaptionSize{112, 16};
inline constexpr QSize CoordinatesCaptionSize{112, 18};
inline constexpr QSize TimeElapsedCaptionSize{128, 18};

QPixmap SplashPicture(qreal dpr = DefaultRatio()); // 418 x 189, the splash window's Image1
QPixmap AboutPicture(qreal dpr = DefaultRatio());  // 413 x 208, the about box's Image1
inline constexpr QSize SplashSize{418, 189};
inline constexpr QSize AboutSize{413, 208};

// 32 x 32 icons of the message boxes: a question mark, or a cross for errors.
enum class TMessageIcon { Question, Stop };
QPixmap MessageIcon(TMessageIcon kind, qreal dpr = DefaultRatio());
inline constexpr QSize MessageIconSize{32, 32};

// The window icon at 16, 24, 32, 48, 64, 128 and 256 pixels, drawn when asked for.
QIcon WindowIcon();
QPixmap IconPicture(int size, qreal dpr = DefaultRatio());

} // namespace Artwork

// The board's pixels: cell inside and ring, stones, the last-move highlight, repaints, the flash,
// the turn indicator, the cursor and the coordinate readout.
#include "MainFormTestSupport.h"

#include "ui/BoardPainter.h"
#include "widgets/DateTimeValue.h"

#include <QAction>
#include <QPainter>
#include <QTimer>

namespace {

const QColor Grey(128, 128, 128);
const QColor Lime(0, 255, 0);
const QColor Aqua(0, 255, 255);
const QColor Black(0, 0, 0);

// A smoothed stone's rim pixel: its colour, give or take the few levels the smoothing leaves.
bool NearRim(const QColor& seen, const QColor& rim) {
    return std::max({std::abs(seen.red() - rim.red()), std::abs(seen.green() - rim.green()),
                     std::abs(seen.blue() - rim.blue())}) <= 8;
}

TEST_F(MainFormTest, EmptySquaresShowTheBoardColourInsideAndOnTheRing) {
    Start();
    const QImage board = Board();
    for (auto [X, Y] : {std::pair{1, 1}, {10, 10}, {19, 19}}) {
        EXPECT_EQ(SquarePixel(board, X, Y, 1, 1), Grey);  // ring
        EXPECT_EQ(SquarePixel(board, X, Y, 9, 9), Grey);  // inside
        EXPECT_EQ(SquarePixel(board, X, Y, 17, 9), Grey); // ring, right
    }
    // The lines between cells are black.
    EXPECT_EQ(board.pixelColor(Grid().CellRect(0, 0).right() + 1, 5), Black);
}

TEST_F(MainFormTest, TheLastMoveIsHighlightedWithItsXorRingAndMovesOn) {
    Store("HUMAN vs HUMAN", QStringLiteral("1"));
    Start();
    Click(4, 4); // white
    QImage board = Board();
    EXPECT_EQ(SquarePixel(board, 4, 4, 1, 1), QColor(128, 127, 128)); // lime XOR grey
    EXPECT_EQ(SquarePixel(board, 4, 4, 2, 2), Lime);
    EXPECT_EQ(SquarePixel(board, 4, 4, 9, 9), Aqua);              // the white stone's disc
    EXPECT_PRED2(NearRim, SquarePixel(board, 4, 4, 9, 3), Black); // and its rim

    Click(6, 4); // black
    board = Board();
    EXPECT_EQ(SquarePixel(board, 4, 4, 1, 1), Grey);
    EXPECT_EQ(SquarePixel(board, 4, 4, 2, 2), Grey);
    EXPECT_EQ(SquarePixel(board, 4, 4, 9, 9), Aqua);
    EXPECT_EQ(SquarePixel(board, 6, 4, 9, 9), Black);            // the black stone's disc
    EXPECT_PRED2(NearRim, SquarePixel(board, 6, 4, 9, 3), Aqua); // and its rim
    EXPECT_EQ(SquarePixel(board, 6, 4, 2, 2), Lime);
}

TEST_F(MainFormTest, TheWinningFiveIsMarkedAndTheStatusNamesTheWinnerUntilUndo) {
    Store("HUMAN vs HUMAN", QStringLiteral("1"));
    Start();
    for (int x = 1; x <= 4; ++x) {
        Click(x, 1); // white
        Click(x, 3);
    }
    Click(5, 1);
    QImage board = Board();
    for (int x = 1; x <= 5; ++x) {
        EXPECT_EQ(SquarePixel(board, x, 1, 9, 9), Black) << x; // a dot on each aqua stone
    }
    EXPECT_EQ(SquarePixel(board, 1, 3, 9, 9), Black); // no aqua dot outside the five
    EXPECT_EQ(Form->StatusBar->text(), "Player 1 won the game");
    Form->Menu.Undo1->trigger();
    board = Board();
    EXPECT_EQ(SquarePixel(board, 1, 1, 9, 9), Aqua);
    EXPECT_EQ(Form->StatusBar->text(), "");
}

TEST_F(MainFormTest, AMoveAgainstTheComputerPaintsOnlyTheSquaresItChanges) {
    Start();
    std::vector<std::pair<int, int>> painted;
    auto paint = Grid().OnDrawCell();
    Grid().SetOnDrawCell(
        [&](TRxDrawGrid& g, QPainter& c, int col, int row, const QRect& r, TGridDrawState s) {
            painted.emplace_back(col + 1, row + 1);
            paint(g, c, col, row, r, s);
        });
    QApplication::processEvents(); // the grid repaints itself for its new handler
    painted.clear();
    Click(5, 5);
    QApplication::processEvents();
    ASSERT_EQ(painted.size(), 3u); // the human's stone, then the highlight moves to the answer
    EXPECT_EQ(painted[0], std::make_pair(5, 5));
    EXPECT_EQ(painted[1], std::make_pair(5, 5));
    EXPECT_EQ(painted[2], std::make_pair(Game.LastMoveX, Game.LastMoveY));
}

TEST_F(MainFormTest, TheHintFlashShowsTheHintColourAndLeavesTheSquareAsItWas) {
    Start();
    QColor during, ring;
    QTimer::singleShot(150, [&] {
        const QImage board = Board();
        during = SquarePixel(board, 7, 7, 9, 9);
        ring = SquarePixel(board, 7, 7, 1, 1);
    });
    Form->FlashHintSquare(7, 7); // events run during its pauses, so the timer fires inside
    EXPECT_EQ(during, QColor(255, 0, 0));
    EXPECT_EQ(ring, Black);
    const QImage after = Board();
    EXPECT_EQ(SquarePixel(after, 7, 7, 9, 9), Grey);
    EXPECT_EQ(SquarePixel(after, 7, 7, 1, 1), Grey);
}

TEST_F(MainFormTest, TheStoneToMoveBlinksAndBothStandOnceTheGameIsOver) {
    Start(); // white to move
    for (int tick = 0; tick < 4; ++tick) {
        const bool shown = Form->NoughtImage->isVisible();
        Form->BlinkTimerTimer();
        EXPECT_NE(Form->NoughtImage->isVisible(), shown);
        EXPECT_TRUE(Form->CrossImage->isVisible());
    }
    Click(5, 5); // white and the computer's black: white again
    Game.ColorToMove = BlackStone;
    Form->BlinkTimerTimer();
    EXPECT_TRUE(Form->NoughtImage->isVisible());
}

TEST_F(MainFormTest, TheCursorFollowsTheColourToMoveWhenThePointerMoves) {
    Store("HUMAN vs HUMAN", QStringLiteral("1"));
    Start();
    const auto shape = [this] { return Grid().cursor().pixmap().toImage(); };
    EXPECT_EQ(Grid().cursor().shape(), Qt::PointingHandCursor); // until the pointer moves
    QTest::mouseMove(&Grid(), SquareCentre(3, 3));
    EXPECT_EQ(shape(), Form->WhiteCursor.pixmap().toImage());
    Click(3, 3);
    EXPECT_EQ(shape(), Form->WhiteCursor.pixmap().toImage()); // unchanged until it moves
    QTest::mouseMove(&Grid(), SquareCentre(4, 3));
    EXPECT_EQ(shape(), Form->BlackCursor.pixmap().toImage());
    EXPECT_NE(Form->WhiteCursor.pixmap().toImage(), Form->BlackCursor.pixmap().toImage());
}

TEST_F(MainFormTest, TheReadoutShowsColumnAndRowUnderThePointer) {
    Start();
    QTest::mouseMove(&Grid(), SquareCentre(1, 1));
    EXPECT_DOUBLE_EQ(Form->DigitalCoordinates->DateTime(), EncodeTime(1, 1, 0));
    QTest::mouseMove(&Grid(), SquareCentre(19, 19));
    EXPECT_DOUBLE_EQ(Form->DigitalCoordinates->DateTime(), EncodeTime(19, 19, 0));
    QTest::mouseMove(&Grid(), SquareCentre(7, 12));
    EXPECT_EQ(TimeDigits(Form->DigitalCoordinates->DateTime()) / 100, 712);
}

TEST_F(MainFormTest, ApplySettingsRepaintsTheBoardForANewBoardColourAtOnce) {
    Start();
    Click(5, 5);
    Live.BoardColor = 0x00FF0000; // blue
    Form->ApplySettings();
    const QImage board = Board();
    EXPECT_EQ(SquarePixel(board, 1, 1, 9, 9), QColor(0, 0, 255));
    EXPECT_EQ(SquarePixel(board, Game.LastMoveX, Game.LastMoveY, 1, 1),
              QColor(0, 255, 255)); // lime XOR blue
}

TEST_F(MainFormTest, ANewLastMoveColourRepaintsTheLastSquare) {
    Start();
    Click(5, 5);
    Live.LastMoveColor = 0x808080; // equal to the board: a black ring
    Live.LastMoveColorChanged = true;
    Form->ApplySettings();
    const QImage board = Board();
    EXPECT_EQ(SquarePixel(board, Game.LastMoveX, Game.LastMoveY, 1, 1), Black);
    EXPECT_EQ(SquarePixel(board, Game.LastMoveX, Game.LastMoveY, 2, 2), Grey);
}

TEST(BoardPainterTest, PreviewShowsThePendingColoursWithBlackRings) {
    Live.PendingLastMoveColor = 0x0000FF;
    Live.PendingHintColor = 0xFF0000;
    QImage image(19, 19, QImage::Format_RGB32);
    const auto paint = [&](int col, int row) {
        image.fill(Qt::white);
        QPainter p(&image);
        PaintPreviewCell(p, QRect(0, 0, 19, 19), col, row, 0x808080);
    };
    paint(1, 2); // the sample last move, with a black stone
    EXPECT_EQ(image.pixelColor(1, 1), Black);
    EXPECT_EQ(image.pixelColor(2, 2), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(9, 9), Black);
    EXPECT_PRED2(NearRim, image.pixelColor(9, 3), Aqua);
    paint(4, 0); // the sample hint square, empty
    EXPECT_EQ(image.pixelColor(9, 9), QColor(0, 0, 255));
    paint(0, 0); // a white stone on the board colour
    EXPECT_EQ(image.pixelColor(1, 1), Grey);
    EXPECT_EQ(image.pixelColor(9, 9), Aqua);
    paint(5, 0); // outside the sample: nothing
    EXPECT_EQ(image.pixelColor(9, 9), QColor(Qt::white));
    Live = TLiveSettings{};
}

} // namespace

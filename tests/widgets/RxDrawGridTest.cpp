// TRxDrawGrid as the board uses it, on screen: full paints, one-cell repaints and clicks.
#include "widgets/RxDrawGrid.h"
#include "WidgetTestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace {

// The board repaints one square, or flashes the hint, while a long command holds the
// user-interface thread: what it draws must reach the screen at once.
TEST(RxDrawGridOnScreen, OneCellRepaintAndHintFlashShowAtOnceAndClicksArriveInClientCoordinates) {
    QWidget window;
    window.resize(400, 400);
    // The main window's board grid: 20 x 20 cells, 19 of them fixed each way, 384 pixels square.
    TRxDrawGrid grid(&window);
    const QColor BoardGrey(128, 128, 128);
    grid.SetColCount(20);
    grid.SetRowCount(20);
    grid.SetFixedCols(19);
    grid.SetFixedRows(19);
    grid.SetDefaultColWidth(19);
    grid.SetDefaultRowHeight(19);
    grid.SetGridLineWidth(1);
    grid.SetColor(BoardGrey);
    grid.SetFixedColor(BoardGrey);
    grid.setGeometry(0, 0, 384, 384);
    ASSERT_TRUE(ShowAndWait(window));
    QColor inside = BoardGrey;
    std::set<std::pair<int, int>> seen;
    grid.SetOnDrawCell([&](TRxDrawGrid&, QPainter& canvas, int col, int row, const QRect& rect,
                           TGridDrawState state) {
        EXPECT_TRUE(state & gdFixed) << col << "," << row;
        seen.insert({col, row});
        if (col == 5 && row == 7) {
            canvas.fillRect(rect.adjusted(1, 1, -1, -1), inside);
        }
    });
    grid.repaint();
    EXPECT_EQ(seen.size(), 361u);
    inside = Qt::green;
    grid.DrawCellNow(5, 7);
    const QImage screen = OnScreen(window);
    const QPoint cell = grid.ClientOrigin() + grid.CellRect(5, 7).topLeft();
    // The callback draws inside the raised edge of its cell (the edges and lines between cells
    // are the main window picture's business).
    EXPECT_TRUE(AllOf(screen, QRect(cell + QPoint(1, 1), QSize(17, 17)), Qt::green));

    const QRect flash = grid.CellRect(9, 9).adjusted(1, 1, -1, -1);
    grid.PaintNow(flash, [&](QPainter& canvas) { canvas.fillRect(flash, Qt::red); });
    const QPoint at = grid.ClientOrigin() + flash.center();
    EXPECT_EQ(OnScreen(window).pixelColor(at), QColor(Qt::red));
    grid.repaint();
    EXPECT_EQ(OnScreen(window).pixelColor(at), BoardGrey);

    // Mouse presses arrive in client coordinates, and none over the border.
    std::vector<QPoint> downs;
    grid.SetOnMouseDown([&](TRxDrawGrid&, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        downs.emplace_back(x, y);
    });
    QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseClick(&grid, Qt::LeftButton, {}, grid.ClientOrigin() + QPoint(25, 45));
    EXPECT_EQ(downs, std::vector{QPoint(25, 45)});
}

} // namespace

// TRxDrawGrid as the board uses it: geometry, point-to-cell, full paints and one-cell repaints.
#include "widgets/RxDrawGrid.h"
#include "WidgetTestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace {

const QColor BoardGrey(128, 128, 128);

// The main window's board grid: 20 x 20 cells, 19 of them fixed each way, 384 pixels square.
void MakeBoard(TRxDrawGrid& grid) {
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
}

TEST(RxDrawGrid, BoardCellsFillTheClientAreaAndPointsCountTheLineAfterACell) {
    TRxDrawGrid grid;
    MakeBoard(grid);
    // The 20th column and row lie outside the client area: that cell does not exist.
    EXPECT_EQ(grid.CellRect(18, 17), QRect(360, 340, 19, 19));
    EXPECT_EQ(grid.CellRect(19, 0), QRect());
    const std::pair<QPoint, QPoint> points[] = {{{19, 19}, {0, 0}},     {{20, 39}, {1, 1}},
                                                {{379, 379}, {18, 18}}, {{-1, 5}, {-1, 0}},
                                                {{5, -1}, {0, -1}},     {{400, 400}, {-1, -1}}};
    for (const auto& [point, cell] : points) {
        int col = 0, row = 0;
        grid.MouseToCell(point.x(), point.y(), col, row);
        EXPECT_EQ(QPoint(col, row), cell) << point.x() << "," << point.y();
    }
}

TEST(RxDrawGrid, FullPaintFillsRunsTheCallbackAndRaisesTheEdgeOfFixedCells) {
    TRxDrawGrid grid;
    MakeBoard(grid);
    std::set<std::pair<int, int>> seen;
    grid.SetOnDrawCell([&](TRxDrawGrid&, QPainter& canvas, int col, int row, const QRect& rect,
                           TGridDrawState state) {
        EXPECT_TRUE(state & gdFixed) << col << "," << row;
        seen.insert({col, row});
        if (col == 3 && row == 4) {
            canvas.fillRect(rect.adjusted(1, 1, -1, -1), Qt::red);
        }
    });
    const QImage image = Grabbed(grid);
    EXPECT_EQ(seen.size(), 361u);
    const QColor light = QColor(grid.palette().color(QPalette::Light).rgb());
    const QPoint o = grid.ClientOrigin();
    // Cell (0, 0): a raised edge, fill inside; black lines between cells.
    EXPECT_EQ(image.pixelColor(o + QPoint(0, 5)), light);
    EXPECT_EQ(image.pixelColor(o + QPoint(5, 18)).rgb(),
              grid.palette().color(QPalette::Dark).rgb());
    EXPECT_EQ(image.pixelColor(o + QPoint(19, 5)), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(o + QPoint(379, 379)), QColor(Qt::black));
    EXPECT_TRUE(AllOf(image, QRect(o + QPoint(1, 1), QSize(17, 17)), BoardGrey));
    // The callback draws inside the edge of its cell.
    EXPECT_EQ(image.pixelColor(o + QPoint(60, 80)), light);
    EXPECT_TRUE(AllOf(image, QRect(o + QPoint(61, 81), QSize(17, 17)), Qt::red));
}

// The board repaints one square, or flashes the hint, while a long command holds the
// user-interface thread: what it draws must reach the screen at once.
TEST(RxDrawGridOnScreen, OneCellRepaintAndHintFlashShowAtOnceAndClicksArriveInClientCoordinates) {
    QWidget window;
    window.resize(400, 400);
    TRxDrawGrid grid(&window);
    MakeBoard(grid);
    ASSERT_TRUE(ShowAndWait(window));
    QColor inside = BoardGrey;
    grid.SetOnDrawCell(
        [&](TRxDrawGrid&, QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState) {
            if (col == 5 && row == 7) {
                canvas.fillRect(rect.adjusted(1, 1, -1, -1), inside);
            }
        });
    grid.repaint();
    inside = Qt::green;
    grid.DrawCellNow(5, 7);
    const QImage screen = OnScreen(window);
    const QPoint cell = grid.ClientOrigin() + grid.CellRect(5, 7).topLeft();
    EXPECT_TRUE(AllOf(screen, QRect(cell + QPoint(1, 1), QSize(17, 17)), Qt::green));
    EXPECT_EQ(screen.pixel(cell), grid.palette().color(QPalette::Light).rgb());

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

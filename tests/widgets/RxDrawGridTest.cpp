// TRxDrawGrid as the board uses it: geometry, point-to-cell, full paints and one-cell repaints.
#include "widgets/RxDrawGrid.h"
#include "WidgetTestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <map>
#include <utility>

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

TEST(RxDrawGrid, BoardCellsFillTheClientAreaInsideTheBorder) {
    TRxDrawGrid grid;
    MakeBoard(grid);
    EXPECT_EQ(grid.ClientRect(), QRect(0, 0, 380, 380));
    EXPECT_EQ(grid.ClientOrigin(), QPoint(2, 2));
    EXPECT_EQ(grid.CellRect(0, 0), QRect(0, 0, 19, 19));
    EXPECT_EQ(grid.CellRect(18, 0), QRect(360, 0, 19, 19));
    EXPECT_EQ(grid.CellRect(0, 18), QRect(0, 360, 19, 19));
    EXPECT_EQ(grid.CellRect(18, 18), QRect(360, 360, 19, 19));
    // The 20th column and row lie outside the client area; cells that do not exist are empty.
    EXPECT_TRUE(grid.CellRect(19, 0).isEmpty());
    EXPECT_TRUE(grid.CellRect(0, 19).isEmpty());
    EXPECT_TRUE(grid.CellRect(-1, 0).isEmpty());
    EXPECT_TRUE(grid.CellRect(20, 20).isEmpty());
}

TEST(RxDrawGrid, PointToCellCountsTheLineAfterACellAsPartOfIt) {
    TRxDrawGrid grid;
    MakeBoard(grid);
    const auto cell = [&](int x, int y) {
        int col = 0, row = 0;
        grid.MouseToCell(x, y, col, row);
        return std::make_pair(col, row);
    };
    EXPECT_EQ(cell(0, 0), std::make_pair(0, 0));
    EXPECT_EQ(cell(18, 18), std::make_pair(0, 0)); // last pixel inside the first cell
    EXPECT_EQ(cell(19, 19), std::make_pair(0, 0)); // on the grid lines after it
    EXPECT_EQ(cell(20, 39), std::make_pair(1, 1)); // first pixel of the next cell, a line
    EXPECT_EQ(cell(40, 0), std::make_pair(2, 0));
    EXPECT_EQ(cell(360, 379), std::make_pair(18, 18));
    EXPECT_EQ(cell(379, 379), std::make_pair(18, 18)); // the last line of the client area
    EXPECT_EQ(cell(-1, 5), std::make_pair(-1, 0));
    EXPECT_EQ(cell(5, -1), std::make_pair(0, -1));
    EXPECT_EQ(cell(400, 400), std::make_pair(-1, -1)); // past the 20th column and row
}

TEST(RxDrawGrid, FullPaintFillsRunsTheCallbackAndRaisesTheEdgeOfFixedCells) {
    TRxDrawGrid grid;
    MakeBoard(grid);
    std::map<std::pair<int, int>, QRect> seen;
    grid.SetOnDrawCell([&](TRxDrawGrid&, QPainter& canvas, int col, int row, const QRect& rect,
                           TGridDrawState state) {
        EXPECT_TRUE(state & gdFixed) << col << "," << row;
        seen[{col, row}] = rect;
        if (col == 3 && row == 4) {
            canvas.fillRect(rect.adjusted(1, 1, -1, -1), Qt::red);
        }
    });
    const QImage image = Grabbed(grid);
    EXPECT_EQ(seen.size(), 361u);
    EXPECT_EQ(seen[std::make_pair(18, 18)], QRect(360, 360, 19, 19));
    const QColor light = QColor(grid.palette().color(QPalette::Light).rgb());
    const QColor dark = QColor(grid.palette().color(QPalette::Dark).rgb());
    const QPoint o = grid.ClientOrigin();
    // Cell (0, 0): edge light on top and left, dark on the right and bottom, fill inside.
    EXPECT_EQ(image.pixelColor(o + QPoint(5, 0)), light);
    EXPECT_EQ(image.pixelColor(o + QPoint(0, 5)), light);
    EXPECT_EQ(image.pixelColor(o + QPoint(18, 5)), dark);
    EXPECT_EQ(image.pixelColor(o + QPoint(5, 18)), dark);
    EXPECT_TRUE(AllOf(image, QRect(o + QPoint(1, 1), QSize(17, 17)), BoardGrey));
    // Black lines between cells.
    EXPECT_EQ(image.pixelColor(o + QPoint(19, 5)), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(o + QPoint(5, 19)), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(o + QPoint(379, 379)), QColor(Qt::black));
    // The callback's own drawing, inside the edge.
    EXPECT_TRUE(AllOf(image, QRect(o + QPoint(61, 81), QSize(17, 17)), Qt::red));
    EXPECT_EQ(image.pixelColor(o + QPoint(60, 80)), light);
}

TEST(RxDrawGridOnScreen, OneCellRepaintShowsAtOnceAndKeepsTheEdge) {
    QWidget window;
    window.resize(400, 400);
    TRxDrawGrid grid(&window);
    MakeBoard(grid);
    QColor inside = BoardGrey;
    int calls = 0;
    grid.SetOnDrawCell(
        [&](TRxDrawGrid&, QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState) {
            ++calls;
            if (col == 5 && row == 7) {
                canvas.fillRect(rect.adjusted(1, 1, -1, -1), inside);
            }
        });
    ASSERT_TRUE(ShowAndWait(window));
    calls = 0;
    inside = Qt::green;
    grid.DrawCellNow(5, 7);
    EXPECT_EQ(calls, 1); // only the one cell, no full paint
    const QImage screen = OnScreen(window);
    const QPoint cell = grid.ClientOrigin() + grid.CellRect(5, 7).topLeft();
    EXPECT_TRUE(AllOf(screen, QRect(cell + QPoint(1, 1), QSize(17, 17)), Qt::green));
    EXPECT_EQ(screen.pixel(cell), grid.palette().color(QPalette::Light).rgb());
    EXPECT_EQ(screen.pixel(cell + QPoint(18, 18)), grid.palette().color(QPalette::Dark).rgb());

    // Drawing outside the callback (the hint flash) shows at once and survives until a full
    // paint, which draws the cell normally again.
    const QRect flash = grid.CellRect(9, 9).adjusted(1, 1, -1, -1);
    grid.PaintNow(flash, [&](QPainter& canvas) { canvas.fillRect(flash, Qt::red); });
    const QPoint at = grid.ClientOrigin() + flash.center();
    EXPECT_EQ(OnScreen(window).pixelColor(at), QColor(Qt::red));
    EXPECT_EQ(OnScreen(window).pixelColor(cell + QPoint(9, 9)), QColor(Qt::green));
    grid.repaint();
    EXPECT_EQ(OnScreen(window).pixelColor(at), BoardGrey);
}

TEST(RxDrawGridOnScreen, ColourChangeRepaintsEveryCell) {
    QWidget window;
    window.resize(400, 400);
    TRxDrawGrid grid(&window);
    MakeBoard(grid);
    ASSERT_TRUE(ShowAndWait(window));
    grid.SetFixedColor(Qt::blue);
    grid.repaint();
    const QImage screen = OnScreen(window);
    const QPoint o = grid.ClientOrigin();
    EXPECT_EQ(screen.pixelColor(o + QPoint(9, 9)), QColor(Qt::blue));
    EXPECT_EQ(screen.pixelColor(o + QPoint(369, 369)), QColor(Qt::blue));
}

TEST(RxDrawGridOnScreen, MouseEventsArriveInClientCoordinatesAndNotOverTheBorder) {
    QWidget window;
    window.resize(400, 400);
    TRxDrawGrid grid(&window);
    MakeBoard(grid);
    ASSERT_TRUE(ShowAndWait(window));
    std::vector<QPoint> downs;
    grid.SetOnMouseDown(
        [&](TRxDrawGrid&, Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
            EXPECT_EQ(button, Qt::LeftButton);
            downs.emplace_back(x, y);
        });
    QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(2 + 25, 2 + 45));
    QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(1, 1)); // on the border
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0], QPoint(25, 45));
}

} // namespace

// TRxDrawGrid: an owner-drawn grid of fixed cells with cell geometry and a draw-cell callback.
#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QWidget>

#include <functional>
#include <utility>

// Draw state handed to the draw-cell callback, a set of these flags.
enum TGridDrawStateFlag : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

class TRxDrawGrid;

// Paints one cell on the grid's canvas. Canvas works in client coordinates (the area inside the
// 2-pixel border); Rect is the cell, QRect(left, top, width, height), so its exclusive right and
// bottom are Rect.left() + Rect.width() and Rect.top() + Rect.height().
using TDrawCellEvent = std::function<void(TRxDrawGrid& Sender, QPainter& Canvas, int Col, int Row,
                                          const QRect& Rect, TGridDrawState State)>;

// Mouse over the client area, in client coordinates. Events over the border are not passed on,
// so a point handed here always lies inside the client area.
using TGridMouseEvent = std::function<void(TRxDrawGrid& Sender, Qt::MouseButton Button,
                                           Qt::KeyboardModifiers Shift, int X, int Y)>;

// What a cell holds, in words, for assistive technology.
using TCellTextEvent = std::function<QString(int Col, int Row)>;

// The grid keeps what it paints in a backing image. A full paint (expose, Invalidate) fills each
// cell with its colour, runs OnDrawCell, then draws the raised edge of fixed cells and the black
// lines. DrawCellNow and PaintNow draw on that image outside a paint event and show the changed
// rectangle at once (QWidget::repaint), leaving everything else, the cell edges included, as it is
// on screen. The grid does not scroll and no cell can be selected.
//
// The keyboard works on the focus cell, one of the cells shown (those whose rectangle starts
// inside the client area). While the grid has the keyboard focus, the arrows move it, Home and
// End to the ends of its row, Page Up and Page Down to the ends of its column; each move is handed
// on as a pointer move over the cell's centre. Space and Enter click it as the left button would,
// the Menu key and Shift+F10 as the right button would. A mouse press moves it to the cell
// pressed. OnDrawCell sees gdFocused on it while the grid has the focus and the keyboard, not the
// mouse, was used last: mouse play looks as it always did.
//
// Assistive technology reads the grid as a table of the cells shown, each named by OnCellText;
// the focus cell is the focused table cell, and its name ends with the latest news (Announce)
// until the focus moves.
class TRxDrawGrid : public QWidget {
    Q_OBJECT
public:
    explicit TRxDrawGrid(QWidget* parent = nullptr);

    int ColCount() const { return colCount_; }
    void SetColCount(int v);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int v);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int v);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int v);
    int DefaultColWidth() const { return colWidth_; }
    void SetDefaultColWidth(int v);
    int DefaultRowHeight() const { return rowHeight_; }
    void SetDefaultRowHeight(int v);
    int GridLineWidth() const { return lineWidth_; }
    void SetGridLineWidth(int v);
    // Colour of the non-fixed cells.
    QColor Color() const { return color_; }
    void SetColor(const QColor& v);
    // Colour every fixed cell is filled with before OnDrawCell runs.
    QColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(const QColor& v);

    const TDrawCellEvent& OnDrawCell() const { return onDrawCell_; }
    void SetOnDrawCell(TDrawCellEvent v);
    const TGridMouseEvent& OnMouseDown() const { return onMouseDown_; }
    void SetOnMouseDown(TGridMouseEvent v) { onMouseDown_ = std::move(v); }
    const TGridMouseEvent& OnMouseMove() const { return onMouseMove_; }
    void SetOnMouseMove(TGridMouseEvent v) { onMouseMove_ = std::move(v); }
    const TGridMouseEvent& OnMouseUp() const { return onMouseUp_; }
    void SetOnMouseUp(TGridMouseEvent v) { onMouseUp_ = std::move(v); }

    const TCellTextEvent& OnCellText() const { return onCellText_; }
    void SetOnCellText(TCellTextEvent v) { onCellText_ = std::move(v); }

    int FocusCol() const { return focusCol_; }
    int FocusRow() const { return focusRow_; }
    // Moves the focus cell, kept among the cells shown.
    void SetFocusCell(int Col, int Row);
    // The focus frame is drawn now.
    bool FocusShown() const;
    // Columns and rows shown, from the first.
    int ShownCols() const;
    int ShownRows() const;
    // A click on a cell with the button down and up at its centre, as the keys give it.
    void ClickCell(int Col, int Row, Qt::MouseButton Button);
    // A cell's name for assistive technology: its text, and on the focus cell the news.
    QString CellName(int Col, int Row) const;
    // News of the grid's content, read out at once as part of the focus cell's name.
    void Announce(const QString& News);

    // Rectangle of a cell in client coordinates; empty for a cell that does not exist or starts
    // outside the client area.
    QRect CellRect(int Col, int Row) const;
    // Cell under a client point, the 1-pixel line right of and below a cell counting as part of
    // it; -1 for a coordinate left of, above, right of or below the cells that exist.
    void MouseToCell(int X, int Y, int& Col, int& Row) const;
    // Client area size and its origin in widget coordinates.
    QRect ClientRect() const;
    QPoint ClientOrigin() const;

    // Runs OnDrawCell for one cell outside a paint, then shows that cell at once.
    void DrawCellNow(int Col, int Row);
    // Runs draw on the grid's canvas (client coordinates, clipped to area) and shows area at once.
    void PaintNow(const QRect& area, const std::function<void(QPainter& Canvas)>& draw);
    // Marks every cell for a full paint; update() or repaint() then redraws them all.
    void Invalidate();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    TGridDrawState CellState(int col, int row) const;
    bool MoveFocusByKey(const QKeyEvent* event);
    void SetFrameShown(bool v);
    void EnsureCanvas();
    void PaintCells(const QRegion& clientRegion);
    void PaintCell(QPainter& canvas, int col, int row);
    void DrawFixedEdge(QPainter& canvas, const QRect& rect) const;
    QRect RawCellRect(int col, int row) const;
    QRect CellsExtent() const;
    void DrawOutsidePaint(const QRect& area, const std::function<void(QPainter&)>& draw);
    void PassMouse(const TGridMouseEvent& handler, QMouseEvent* event, Qt::MouseButton button);
    void SetLayoutValue(int& field, int v, int lowest);

    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int colWidth_ = 64;
    int rowHeight_ = 24;
    int lineWidth_ = 1;
    QColor color_ = Qt::white;
    QColor fixedColor_ = QColor(192, 192, 192);
    TDrawCellEvent onDrawCell_;
    TGridMouseEvent onMouseDown_;
    TGridMouseEvent onMouseMove_;
    TGridMouseEvent onMouseUp_;
    TCellTextEvent onCellText_;
    int focusCol_ = 0;
    int focusRow_ = 0;
    bool frameShown_ = false; // the keyboard was used last
    QString news_;
    QImage canvas_;
    bool stale_ = true; // the whole canvas needs a full paint
    QRegion fresh_;     // client area drawn outside a paint, being shown now
};

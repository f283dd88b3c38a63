// TRxDrawGrid: cell geometry, the backing canvas, full and single-cell painting, mouse hand-over.
#include "widgets/RxDrawGrid.h"

#include "widgets/WidgetsAccessible.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>

namespace {
constexpr int BorderWidth = 2; // the sunken 3D border around the client area
}

TRxDrawGrid::TRxDrawGrid(QWidget* parent) : QWidget(parent) {
    InstallWidgetsAccessibility();
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TRxDrawGrid::SetLayoutValue(int& field, int v, int lowest) {
    v = std::max(v, lowest);
    if (field == v) {
        return;
    }
    field = v;
    Invalidate();
    update();
}

void TRxDrawGrid::SetColCount(int v) {
    SetLayoutValue(colCount_, v, 1);
}
void TRxDrawGrid::SetRowCount(int v) {
    SetLayoutValue(rowCount_, v, 1);
}
void TRxDrawGrid::SetFixedCols(int v) {
    SetLayoutValue(fixedCols_, v, 0);
}
void TRxDrawGrid::SetFixedRows(int v) {
    SetLayoutValue(fixedRows_, v, 0);
}
void TRxDrawGrid::SetDefaultColWidth(int v) {
    SetLayoutValue(colWidth_, v, 0);
}
void TRxDrawGrid::SetDefaultRowHeight(int v) {
    SetLayoutValue(rowHeight_, v, 0);
}
void TRxDrawGrid::SetGridLineWidth(int v) {
    SetLayoutValue(lineWidth_, v, 0);
}

void TRxDrawGrid::SetOnDrawCell(TDrawCellEvent v) {
    onDrawCell_ = std::move(v);
    Invalidate();
    update();
}

void TRxDrawGrid::SetColor(const QColor& v) {
    if (color_ != v) {
        color_ = v;
        Invalidate();
        update();
    }
}

void TRxDrawGrid::SetFixedColor(const QColor& v) {
    if (fixedColor_ != v) {
        fixedColor_ = v;
        Invalidate();
        update();
    }
}

QRect TRxDrawGrid::ClientRect() const {
    return QRect(QPoint(0, 0),
                 rect().size().shrunkBy({BorderWidth, BorderWidth, BorderWidth, BorderWidth}));
}

QPoint TRxDrawGrid::ClientOrigin() const {
    return {BorderWidth, BorderWidth};
}

QRect TRxDrawGrid::RawCellRect(int col, int row) const {
    return {col * (colWidth_ + lineWidth_), row * (rowHeight_ + lineWidth_), colWidth_, rowHeight_};
}

QRect TRxDrawGrid::CellsExtent() const {
    return {0, 0, colCount_ * (colWidth_ + lineWidth_), rowCount_ * (rowHeight_ + lineWidth_)};
}

QRect TRxDrawGrid::CellRect(int Col, int Row) const {
    if (Col < 0 || Row < 0 || Col >= colCount_ || Row >= rowCount_) {
        return {};
    }
    const QRect cell = RawCellRect(Col, Row);
    const QRect client = ClientRect();
    if (cell.left() >= client.width() || cell.top() >= client.height()) {
        return {};
    }
    return cell;
}

void TRxDrawGrid::MouseToCell(int X, int Y, int& Col, int& Row) const {
    const auto toIndex = [](int v, int pitch, int count) {
        if (v < 0 || pitch <= 0) {
            return -1;
        }
        const int index = v / pitch;
        return index < count ? index : -1;
    };
    Col = toIndex(X, colWidth_ + lineWidth_, colCount_);
    Row = toIndex(Y, rowHeight_ + lineWidth_, rowCount_);
}

void TRxDrawGrid::Invalidate() {
    stale_ = true;
}

void TRxDrawGrid::EnsureCanvas() {
    const qreal dpr = devicePixelRatioF();
    const QSize size = ClientRect().size();
    if (canvas_.isNull() || canvas_.devicePixelRatio() != dpr ||
        canvas_.deviceIndependentSize().toSize() != size) {
        canvas_ = QImage(size * dpr, QImage::Format_RGB32);
        canvas_.setDevicePixelRatio(dpr);
        stale_ = true;
    }
}

void TRxDrawGrid::DrawFixedEdge(QPainter& canvas, const QRect& rect) const {
    if (rect.width() < 2 || rect.height() < 2) {
        return;
    }
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    const int right = rect.left() + rect.width() - 1;
    const int bottom = rect.top() + rect.height() - 1;
    canvas.fillRect(QRect(right, rect.top(), 1, rect.height()), dark);
    canvas.fillRect(QRect(rect.left(), bottom, rect.width(), 1), dark);
    canvas.fillRect(QRect(rect.left(), rect.top(), rect.width() - 1, 1), light);
    canvas.fillRect(QRect(rect.left(), rect.top(), 1, rect.height() - 1), light);
}

TGridDrawState TRxDrawGrid::CellState(int col, int row) const {
    const bool fixed = col < fixedCols_ || row < fixedRows_;
    const bool focused = col == focusCol_ && row == focusRow_ && FocusShown();
    return (fixed ? TGridDrawState(gdFixed) : 0u) | (focused ? TGridDrawState(gdFocused) : 0u);
}

void TRxDrawGrid::PaintCell(QPainter& canvas, int col, int row) {
    const QRect cell = RawCellRect(col, row);
    const bool fixed = col < fixedCols_ || row < fixedRows_;
    canvas.fillRect(cell, fixed ? fixedColor_ : color_);
    if (onDrawCell_) {
        canvas.save();
        onDrawCell_(*this, canvas, col, row, cell, CellState(col, row));
        canvas.restore();
    }
    if (fixed) {
        DrawFixedEdge(canvas, cell);
    }
}

void TRxDrawGrid::PaintCells(const QRegion& clientRegion) {
    if (clientRegion.isEmpty()) {
        return;
    }
    QPainter canvas(&canvas_);
    canvas.setClipRegion(clientRegion);
    canvas.fillRect(ClientRect(), color_);
    canvas.fillRect(CellsExtent().intersected(ClientRect()), Qt::black); // the grid lines
    const QRect area = clientRegion.boundingRect();
    const int colPitch = std::max(colWidth_ + lineWidth_, 1);
    const int rowPitch = std::max(rowHeight_ + lineWidth_, 1);
    const int lastCol = std::min(colCount_ - 1, (area.left() + area.width() - 1) / colPitch);
    const int lastRow = std::min(rowCount_ - 1, (area.top() + area.height() - 1) / rowPitch);
    for (int row = std::max(area.top(), 0) / rowPitch; row <= lastRow; ++row) {
        for (int col = std::max(area.left(), 0) / colPitch; col <= lastCol; ++col) {
            PaintCell(canvas, col, row);
        }
    }
}

void TRxDrawGrid::paintEvent(QPaintEvent* event) {
    EnsureCanvas();
    const QRegion clientRegion = event->region().translated(-ClientOrigin()) & ClientRect();
    if (stale_) {
        PaintCells(ClientRect());
        stale_ = false;
    } else {
        PaintCells(clientRegion - fresh_);
    }
    QPainter painter(this);
    painter.setClipRegion(event->region());
    qDrawWinPanel(&painter, rect(), palette(), true);
    painter.drawImage(ClientOrigin(), canvas_);
}

void TRxDrawGrid::resizeEvent(QResizeEvent* event) {
    stale_ = true;
    QWidget::resizeEvent(event);
}

void TRxDrawGrid::DrawOutsidePaint(const QRect& area, const std::function<void(QPainter&)>& draw) {
    if (!isVisible()) {
        // A hidden grid gets a full paint when it is shown; nothing drawn now would survive it.
        stale_ = true;
        return;
    }
    EnsureCanvas();
    QRegion shown = area & ClientRect();
    if (stale_) {
        PaintCells(ClientRect());
        stale_ = false;
        shown = ClientRect();
    }
    {
        QPainter canvas(&canvas_);
        canvas.setClipRect(area);
        draw(canvas);
    }
    fresh_ = shown;
    repaint(shown.translated(ClientOrigin()));
    fresh_ = QRegion();
}

void TRxDrawGrid::DrawCellNow(int Col, int Row) {
    const QRect cell = CellRect(Col, Row);
    if (cell.isEmpty() || !onDrawCell_) {
        return;
    }
    DrawOutsidePaint(cell, [&](QPainter& canvas) {
        onDrawCell_(*this, canvas, Col, Row, cell, CellState(Col, Row));
    });
    // A cell is drawn anew when what it shows changes, and so may its name.
    AccessibleCellChanged(*this, Col, Row);
}

void TRxDrawGrid::PaintNow(const QRect& area, const std::function<void(QPainter& Canvas)>& draw) {
    if (!area.isEmpty() && draw) {
        DrawOutsidePaint(area, draw);
    }
}

void TRxDrawGrid::PassMouse(const TGridMouseEvent& handler, QMouseEvent* event,
                            Qt::MouseButton button) {
    const QPoint client = event->position().toPoint() - ClientOrigin();
    if (handler && ClientRect().contains(client)) {
        handler(*this, button, event->modifiers(), client.x(), client.y());
    }
}

void TRxDrawGrid::mousePressEvent(QMouseEvent* event) {
    SetFrameShown(false);
    const QPoint client = event->position().toPoint() - ClientOrigin();
    int col = -1, row = -1;
    MouseToCell(client.x(), client.y(), col, row);
    if (col >= 0 && row >= 0) {
        SetFocusCell(col, row);
    }
    PassMouse(onMouseDown_, event, event->button());
}

void TRxDrawGrid::mouseMoveEvent(QMouseEvent* event) {
    PassMouse(onMouseMove_, event, Qt::NoButton);
}

void TRxDrawGrid::mouseReleaseEvent(QMouseEvent* event) {
    PassMouse(onMouseUp_, event, event->button());
}

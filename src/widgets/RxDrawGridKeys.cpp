// TRxDrawGrid and the keyboard: the focus cell, its frame, the keys that move and click it.
#include "widgets/RxDrawGrid.h"

#include "widgets/WidgetsAccessible.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>
#include <utility>

namespace {

int CellsShown(int count, int pitch, int clientLength) {
    if (pitch <= 0) {
        return count;
    }
    return std::clamp((clientLength + pitch - 1) / pitch, 0, count);
}

bool IsMenuKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_Menu ||
           (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
}

bool IsClickKey(const QKeyEvent* event) {
    const int key = event->key();
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

int TRxDrawGrid::ShownCols() const {
    return CellsShown(colCount_, colWidth_ + lineWidth_, ClientRect().width());
}

int TRxDrawGrid::ShownRows() const {
    return CellsShown(rowCount_, rowHeight_ + lineWidth_, ClientRect().height());
}

bool TRxDrawGrid::FocusShown() const {
    return frameShown_ && hasFocus();
}

void TRxDrawGrid::SetFocusCell(int Col, int Row) {
    Col = std::clamp(Col, 0, std::max(ShownCols() - 1, 0));
    Row = std::clamp(Row, 0, std::max(ShownRows() - 1, 0));
    if (Col == focusCol_ && Row == focusRow_) {
        return;
    }
    const int oldCol = std::exchange(focusCol_, Col);
    const int oldRow = std::exchange(focusRow_, Row);
    news_.clear();
    if (FocusShown()) { // without the frame the move changes nothing on screen
        DrawCellNow(oldCol, oldRow);
        DrawCellNow(Col, Row);
    }
    AccessibleCellChanged(*this, oldCol, oldRow); // the news is gone from its name
    AccessibleFocusCell(*this);
}

void TRxDrawGrid::SetFrameShown(bool v) {
    if (frameShown_ != v) {
        frameShown_ = v;
        DrawCellNow(focusCol_, focusRow_);
    }
}

void TRxDrawGrid::ClickCell(int Col, int Row, Qt::MouseButton Button) {
    const QRect cell = CellRect(Col, Row);
    if (cell.isEmpty()) {
        return;
    }
    const QPoint centre = cell.center();
    if (onMouseDown_) {
        onMouseDown_(*this, Button, Qt::NoModifier, centre.x(), centre.y());
    }
    if (onMouseUp_) {
        onMouseUp_(*this, Button, Qt::NoModifier, centre.x(), centre.y());
    }
}

QString TRxDrawGrid::CellName(int Col, int Row) const {
    QString name = onCellText_ ? onCellText_(Col, Row) : QString();
    if (Col == focusCol_ && Row == focusRow_ && !news_.isEmpty()) {
        name += QStringLiteral(". ") + news_;
    }
    return name;
}

void TRxDrawGrid::Announce(const QString& News) {
    news_ = News;
    AccessibleCellChanged(*this, focusCol_, focusRow_);
}

bool TRxDrawGrid::MoveFocusByKey(const QKeyEvent* event) {
    const int lastCol = ShownCols() - 1;
    const int lastRow = ShownRows() - 1;
    int col = focusCol_, row = focusRow_;
    switch (event->key()) {
    case Qt::Key_Left:
        --col;
        break;
    case Qt::Key_Right:
        ++col;
        break;
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Home:
        col = 0;
        break;
    case Qt::Key_End:
        col = lastCol;
        break;
    case Qt::Key_PageUp:
        row = 0;
        break;
    case Qt::Key_PageDown:
        row = lastRow;
        break;
    default:
        return false;
    }
    SetFocusCell(col, row);
    SetFrameShown(true);
    if (onMouseMove_) {
        const QPoint centre = CellRect(focusCol_, focusRow_).center();
        onMouseMove_(*this, Qt::NoButton, event->modifiers(), centre.x(), centre.y());
    }
    return true;
}

void TRxDrawGrid::keyPressEvent(QKeyEvent* event) {
    if (MoveFocusByKey(event)) {
        return;
    }
    if (IsClickKey(event) || IsMenuKey(event)) {
        SetFrameShown(true);
        ClickCell(focusCol_, focusRow_, IsMenuKey(event) ? Qt::RightButton : Qt::LeftButton);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TRxDrawGrid::focusInEvent(QFocusEvent* event) {
    // Reaching the grid by Tab is keyboard use; being the focus of a window just shown is not.
    const Qt::FocusReason reason = event->reason();
    frameShown_ = frameShown_ || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
    if (frameShown_) {
        DrawCellNow(focusCol_, focusRow_);
    }
    // Qt tells assistive technology of the grid's own focus after this: the cell's comes later.
    QMetaObject::invokeMethod(
        this, [this] { AccessibleFocusCell(*this); }, Qt::QueuedConnection);
    QWidget::focusInEvent(event);
}

void TRxDrawGrid::focusOutEvent(QFocusEvent* event) {
    if (frameShown_) {
        DrawCellNow(focusCol_, focusRow_);
    }
    QWidget::focusOutEvent(event);
}

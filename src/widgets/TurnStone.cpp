// TTurnStone: the blink as drawing, and the turn as what assistive technology is told.
#include "widgets/TurnStone.h"

#include "widgets/WidgetsAccessible.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

TTurnStone::TTurnStone(QWidget* parent) : QLabel(parent) {
    InstallWidgetsAccessibility();
    // It paints its own backdrop, so a blink repaints its own square alone, not the panel and
    // the frames beneath it as well: ten times a second while a game waits.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TTurnStone::Blink(bool toMove) {
    if (toMove_ != toMove) {
        toMove_ = toMove;
        AccessibleShownChanged(this);
    }
    const bool lit = !toMove || !lit_;
    if (lit_ != lit) {
        lit_ = lit;
        repaint(); // now, inside the tick: a later update would wake the event loop once more
    }
}

void TTurnStone::paintEvent(QPaintEvent* event) {
    QPainter canvas(this);
    const QWidget* behind = parentWidget();
    canvas.fillRect(event->rect(), (behind ? behind : this)->palette().color(QPalette::Window));
    if (lit_) {
        style()->drawItemPixmap(&canvas, contentsRect(), static_cast<int>(alignment()), pixmap());
    }
}

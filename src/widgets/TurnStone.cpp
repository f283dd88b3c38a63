// TTurnStone: the blink as drawing, and the turn as what assistive technology is told.
#include "widgets/TurnStone.h"

#include "widgets/WidgetsAccessible.h"

TTurnStone::TTurnStone(QWidget* parent) : QLabel(parent) {
    InstallWidgetsAccessibility();
}

void TTurnStone::Blink(bool toMove) {
    if (toMove_ != toMove) {
        toMove_ = toMove;
        AccessibleShownChanged(this);
    }
    const bool lit = !toMove || !lit_;
    if (lit_ != lit) {
        lit_ = lit;
        update();
    }
}

void TTurnStone::paintEvent(QPaintEvent* event) {
    if (lit_) {
        QLabel::paintEvent(event);
    }
}

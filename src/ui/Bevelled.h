// Panels framed by a one-pixel raised or lowered bevel, as the windows are written; some styles
// draw a panel's frame as a flat line, which hides the bevel.
#pragma once

#include <QFrame>
#include <QPainter>
#include <qdrawutil.h>

enum class TBevelShadow { Raised, Lowered };

// Base is QFrame or one of its kinds (QLabel); its contents stay one pixel inside the bevel.
template <typename Base> class TBevelled : public Base {
public:
    explicit TBevelled(TBevelShadow shadow, QWidget* parent = nullptr)
        : Base(parent), Shadow(shadow) {
        this->setFrameShape(QFrame::NoFrame);
        this->setContentsMargins(1, 1, 1, 1);
        // On a face of its own: on a lighter page the light edge of the bevel would vanish.
        this->setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        Base::paintEvent(event);
        QPainter painter(this);
        qDrawShadePanel(&painter, this->rect(), this->palette(), Shadow == TBevelShadow::Lowered,
                        1);
    }

private:
    TBevelShadow Shadow;
};

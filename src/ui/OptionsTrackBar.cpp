// A plain sunken channel for the groove (the style's own may fill it up to the handle, which would
// hide the span), the selected span inside it, our own ticks, then the style's handle on top.
#include "ui/OptionsTrackBar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>
#include <qdrawutil.h>

namespace {
constexpr int ChannelHeight = 6;
constexpr int TickLength = 4;
} // namespace

TSelTrackBar::TSelTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

void TSelTrackBar::SetSelection(int start, int end) {
    if (start > end) {
        std::swap(start, end);
    }
    if (start == SelStartValue && end == SelEndValue) {
        return;
    }
    SelStartValue = start;
    SelEndValue = end;
    update();
}

int TSelTrackBar::HandleCentre(int value) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.sliderPosition = value;
    option.sliderValue = value;
    return style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this)
        .center()
        .x();
}

void TSelTrackBar::DrawTicks(QPainter& painter) const {
    const int step = std::max(1, tickInterval());
    painter.setPen(palette().color(QPalette::WindowText));
    for (int v = minimum(); v <= maximum(); v += step) {
        const int x = HandleCentre(v);
        if (tickPosition() & QSlider::TicksAbove) {
            painter.drawLine(x, 1, x, TickLength);
        }
        if (tickPosition() & QSlider::TicksBelow) {
            painter.drawLine(x, height() - 2, x, height() - 1 - TickLength);
        }
    }
}

void TSelTrackBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const int left = HandleCentre(minimum());
    const QRect channel(left, groove.center().y() - ChannelHeight / 2,
                        HandleCentre(maximum()) - left + 1, ChannelHeight);
    const QBrush base = palette().brush(QPalette::Base);
    qDrawShadePanel(&painter, channel, palette(), true, 1, &base);
    if (SelStartValue != SelEndValue) {
        const int start = HandleCentre(SelStartValue);
        const QRect band(start, channel.top() + 1, HandleCentre(SelEndValue) - start + 1,
                         channel.height() - 2);
        painter.fillRect(band, palette().color(QPalette::Highlight));
    }
    DrawTicks(painter);
    option.subControls = QStyle::SC_SliderHandle;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
}

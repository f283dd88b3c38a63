// TSecretPanel: activation, layout and metrics, the text strip, the scroll step and the painting.
#include "widgets/SecretPanel.h"

#include "widgets/WidgetsAccessible.h"

#include <QBitmap>
#include <QEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

TSecretPanel::TSecretPanel(QWidget* parent) : QWidget(parent) {
    InstallWidgetsAccessibility();
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Created idle: the timer runs only while the panel is active.
    timer_.SetEnabled(false);
    timer_.SetInterval(30);
    timer_.SetOnTimer([this](QObject*) { ScrollStep(); });
}

TSecretPanel::~TSecretPanel() {
    if (active_) {
        try {
            Deactivate(true);
        } catch (...) {
            // OnStopPlay failed while the panel goes away; there is no caller left to tell.
        }
    }
}

QColor TSecretPanel::Color() const {
    return palette().color(QPalette::Window);
}

void TSecretPanel::SetColor(const QColor& v) {
    QPalette p = palette();
    p.setColor(QPalette::Window, v);
    setPalette(p);
}

QColor TSecretPanel::FontColor() const {
    return palette().color(QPalette::WindowText);
}

void TSecretPanel::SetFontColor(const QColor& v) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, v);
    setPalette(p);
}

void TSecretPanel::SetActive(bool v) {
    if (v == active_) {
        return;
    }
    if (v) {
        Activate();
    } else {
        Deactivate(false);
    }
}

void TSecretPanel::SetPaused(bool v) {
    paused_ = v;
    timer_.SetEnabled(active_ && !paused_);
}

void TSecretPanel::SetAlignment(TAlignment v) {
    alignment_ = v;
    if (active_) {
        RenderStrip();
        DrawFrame();
    }
}

void TSecretPanel::SetTextStyle(TPanelBevel v) {
    textStyle_ = v;
    if (active_) {
        RenderStrip();
        update();
    }
}

void TSecretPanel::SetGlyph(const QPixmap& v) {
    glyph_ = v;
    keyedGlyph_ = v;
    if (!v.isNull()) {
        // The colour of the bottom-left pixel is the picture's transparent colour.
        const QImage image = v.toImage();
        keyedGlyph_.setMask(QBitmap::fromImage(
            image.createMaskFromColor(image.pixel(0, image.height() - 1), Qt::MaskInColor)));
    }
    if (active_) {
        ComputeMetrics();
        update();
    }
}

void TSecretPanel::SetGlyphLayout(TGlyphLayout v) {
    glyphLayout_ = v;
    if (active_) {
        ComputeMetrics();
        update();
    }
}

void TSecretPanel::SetLines(const QStringList& v) {
    lines_ = v;
    AccessibleShownChanged(this);
    if (active_) {
        scrollPos_ = 0;
        ComputeMetrics(); // the strip's height follows the number of lines
        update();
    }
}

void TSecretPanel::BevelsChanged() {
    if (active_) {
        ComputeMetrics();
    }
    update();
}

void TSecretPanel::SetBevelInner(TPanelBevel v) {
    bevelInner_ = v;
    BevelsChanged();
}

void TSecretPanel::SetBevelOuter(TPanelBevel v) {
    bevelOuter_ = v;
    BevelsChanged();
}

void TSecretPanel::SetBevelWidth(int v) {
    bevelWidth_ = std::max(v, 1);
    BevelsChanged();
}

void TSecretPanel::SetBorderWidth(int v) {
    borderWidth_ = std::max(v, 0);
    BevelsChanged();
}

void TSecretPanel::Activate() {
    active_ = true;
    scrollPos_ = 0;
    ComputeMetrics();
    try {
        timer_.SetEnabled(!paused_);
        if (onStartPlay_) {
            TNotifyEvent handler = onStartPlay_;
            handler(this);
        }
    } catch (...) {
        active_ = false;
        timer_.SetEnabled(false);
        image_ = QImage();
        throw;
    }
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden()) {
            hiddenChildren_.append(child);
            child->hide();
        }
    }
    update();
}

void TSecretPanel::Deactivate(bool destroying) {
    active_ = false;
    scrollPos_ = 0;
    timer_.SetEnabled(false);
    image_ = QImage();
    // The children come back even when OnStopPlay fails, or they would stay hidden for good.
    struct ShowChildren {
        TSecretPanel& panel;
        bool destroying;
        ~ShowChildren() {
            if (destroying) {
                return;
            }
            for (const QPointer<QWidget>& child : std::as_const(panel.hiddenChildren_)) {
                if (child) {
                    child->show();
                    child->update();
                }
            }
            panel.hiddenChildren_.clear();
            panel.update();
        }
    } showChildren{*this, destroying};
    if (onStopPlay_) {
        TNotifyEvent handler = onStopPlay_;
        handler(this);
    }
}

void TSecretPanel::Layout() {
    int inset = borderWidth_ + 3;
    inset += bevelOuter_ != bvNone ? bevelWidth_ : 0;
    inset += bevelInner_ != bvNone ? bevelWidth_ : 0;
    const int left = inset, top = inset, right = width() - inset, bottom = height() - inset;
    const QSize glyph = glyph_.isNull() ? QSize(0, 0) : glyph_.deviceIndependentSize().toSize();
    const int gw = glyph.width(), gh = glyph.height();
    int textLeft = left, textTop = top, textRight = right, textBottom = bottom;
    int x = 0, y = 0;
    switch (glyphLayout_) {
    case glGlyphLeft:
    case glGlyphRight:
        y = std::max((top + bottom - gh) / 2, top);
        if (glyphLayout_ == glGlyphLeft) {
            x = left + 3;
            textLeft = x + gw;
        } else {
            x = std::max(right - gw - 3, left);
            textRight = x;
        }
        break;
    case glGlyphTop:
    case glGlyphBottom:
        x = std::max((left + right - gw) / 2, left);
        if (glyphLayout_ == glGlyphTop) {
            y = top + 2;
            textTop = y + gh;
        } else {
            y = std::max(bottom - gh - 2, top);
            textBottom = y;
        }
        break;
    }
    glyphOrigin_ = {x, y};
    if (textLeft >= textRight || textTop >= textBottom) {
        textRect_ = QRect(0, 0, 0, 0);
    } else {
        textRect_ = QRect(textLeft, textTop, textRight - textLeft, textBottom - textTop);
    }
}

void TSecretPanel::ComputeMetrics() {
    const QFontMetrics metrics(font());
    const int height = metrics.height() + metrics.leading() + (textStyle_ != bvNone ? 1 : 0);
    // An 8-bit line height; 0 would stop the scroll arithmetic, so it never goes below 1.
    lineHeight_ = static_cast<std::uint8_t>(std::clamp(height, 1, 255));
    Layout();
    const qreal dpr = devicePixelRatioF();
    if (textRect_.isEmpty()) {
        image_ = QImage();
        return;
    }
    // Every line drawn once, one below the other, with a blank view's height beneath the last:
    // a scroll step then only shows another part of it.
    const int stripHeight = static_cast<int>(lines_.size()) * lineHeight_ + textRect_.height();
    image_ = QImage(QSize(textRect_.width(), stripHeight) * dpr, QImage::Format_RGB32);
    image_.setDevicePixelRatio(dpr);
    RenderStrip();
}

void TSecretPanel::RenderStrip() {
    if (image_.isNull()) {
        return;
    }
    image_.fill(Color());
    QPainter p(&image_);
    p.setFont(font());
    const int h = lineHeight_;
    const int width = textRect_.width();
    const int horizontal = alignment_ == taLeftJustify    ? Qt::AlignLeft
                           : alignment_ == taRightJustify ? Qt::AlignRight
                                                          : Qt::AlignHCenter;
    const int flags = horizontal | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs;
    const QColor emboss = palette().color(QPalette::Light);
    for (int i = 0; i < lines_.size(); ++i) {
        const QString text = lines_[i].left(255);
        const QRect box(0, i * h, width, h);
        if (textStyle_ != bvNone) {
            const int shift = textStyle_ == bvLowered ? 1 : -1;
            p.setPen(emboss);
            p.drawText(box.translated(shift, shift), flags, text);
        }
        p.setPen(FontColor());
        p.drawText(box, flags, text);
    }
}

// The text area is drawn again from the strip, now, inside the tick. Moving what is shown up a
// pixel and drawing only the incoming row looks cheaper but costs more: the window system then
// scrolls a copy of the window on its side, and that copy is sent to the screen again with
// every later repaint of the window, the turn stone's blink included.
void TSecretPanel::DrawFrame() {
    if (lines_.isEmpty() || image_.isNull()) {
        return;
    }
    repaint(textRect_);
}

void TSecretPanel::ScrollStep() {
    if (!active_) {
        return;
    }
    const int count = static_cast<int>(lines_.size());
    if (scrollPos_ >= (count - 1) * lineHeight_) {
        if (cycled_) {
            scrollPos_ = 0;
            DrawFrame();
        } else {
            SetActive(false);
        }
        return;
    }
    ++scrollPos_;
    DrawFrame();
}

void TSecretPanel::PaintBevels(QPainter& p) const {
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    const auto bevel = [&](QRect& r, TPanelBevel kind) {
        if (kind == bvNone) {
            return;
        }
        const QColor& topLeft = kind == bvRaised ? light : dark;
        const QColor& bottomRight = kind == bvRaised ? dark : light;
        for (int i = 0; i < bevelWidth_ && r.width() > 1 && r.height() > 1; ++i) {
            p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
            p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
            p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
            p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
            r.adjust(1, 1, -1, -1);
        }
    };
    QRect r = rect();
    bevel(r, bevelOuter_);
    r.adjust(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
    bevel(r, bevelInner_);
}

void TSecretPanel::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.setClipRegion(event->region());
    // A scroll step repaints the text area alone, which the image covers whole.
    const bool textOnly = active_ && !image_.isNull() && textRect_.contains(event->rect());
    if (!textOnly) {
        p.fillRect(rect(), Color());
        PaintBevels(p);
    }
    if (!active_) {
        return;
    }
    if (!keyedGlyph_.isNull() && !textOnly) {
        Layout();
        p.drawPixmap(glyphOrigin_, keyedGlyph_);
    }
    if (!image_.isNull()) {
        const qreal dpr = image_.devicePixelRatio();
        const QRectF shown(0, scrollPos_ * dpr, textRect_.width() * dpr, textRect_.height() * dpr);
        p.drawImage(QRectF(textRect_), image_, shown);
    }
}

void TSecretPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (active_) {
        ComputeMetrics();
    }
}

void TSecretPanel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    const auto type = event->type();
    if (active_ && (type == QEvent::FontChange || type == QEvent::PaletteChange)) {
        ComputeMetrics();
        update();
    }
}

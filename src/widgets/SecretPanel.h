// TSecretPanel: a panel that, while active, hides its children and scrolls lines of text upward.
#pragma once

#include "timing/RxTimer.h"
#include "timing/TimerTypes.h"

#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <utility>

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TGlyphLayout { glGlyphLeft, glGlyphRight, glGlyphTop, glGlyphBottom };
enum TPanelBevel { bvNone, bvLowered, bvRaised };

// Inactive it is a plain panel (background and bevels). Active, it renders every line into an
// off-screen image once, and at every tick of its own threaded TRxTimer shows it one pixel
// further, the text area drawn again from the image. At the end of the text it starts again
// (Cycled) or deactivates itself. The panel colour is the palette's Window colour and the text
// colour its WindowText colour.
class TSecretPanel : public QWidget {
    Q_OBJECT
public:
    explicit TSecretPanel(QWidget* parent = nullptr);
    ~TSecretPanel() override;

    bool Active() const { return active_; }
    // Errors of OnStartPlay (or of starting the timer) leave the panel inactive and are rethrown.
    void SetActive(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    bool Cycled() const { return cycled_; }
    void SetCycled(bool v) { cycled_ = v; }
    QPixmap Glyph() const { return glyph_; }
    void SetGlyph(const QPixmap& v);
    TGlyphLayout GlyphLayout() const { return glyphLayout_; }
    void SetGlyphLayout(TGlyphLayout v);
    std::uint32_t Interval() const { return timer_.Interval(); }
    void SetInterval(std::uint32_t v) { timer_.SetInterval(v); }
    QStringList Lines() const { return lines_; }
    void SetLines(const QStringList& v);
    TPanelBevel TextStyle() const { return textStyle_; }
    void SetTextStyle(TPanelBevel v);

    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel v);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel v);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);
    QColor Color() const;
    void SetColor(const QColor& v);
    QColor FontColor() const;
    void SetFontColor(const QColor& v);

    const TNotifyEvent& OnStartPlay() const { return onStartPlay_; }
    void SetOnStartPlay(TNotifyEvent v) { onStartPlay_ = std::move(v); }
    const TNotifyEvent& OnStopPlay() const { return onStopPlay_; }
    void SetOnStopPlay(TNotifyEvent v) { onStopPlay_ = std::move(v); }

    // While paused (nobody can see it) an active panel's text stands and its timer sleeps; it
    // goes on from there once the pause ends.
    bool Paused() const { return paused_; }
    void SetPaused(bool v);

    // One scroll step, as the panel's timer runs it.
    void ScrollStep();
    // Pixels scrolled since activation (0 when inactive), the line height, and where the text
    // and the picture go, in panel coordinates.
    int ScrollPos() const { return scrollPos_; }
    int LineHeight() const { return lineHeight_; }
    QRect TextRect() const { return textRect_; }
    QPoint GlyphOrigin() const { return glyphOrigin_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Activate();
    void Deactivate(bool destroying);
    void ComputeMetrics();
    void Layout();
    void RenderStrip();
    void DrawFrame();
    void PaintBevels(QPainter& p) const;
    void BevelsChanged();

    bool active_ = false;
    bool paused_ = false;
    TAlignment alignment_ = taCenter;
    bool cycled_ = false;
    QPixmap glyph_;
    QPixmap keyedGlyph_; // glyph_ with its transparent colour masked out
    TGlyphLayout glyphLayout_ = glGlyphLeft;
    QStringList lines_;
    TPanelBevel textStyle_ = bvNone;
    TPanelBevel bevelInner_ = bvNone;
    TPanelBevel bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TNotifyEvent onStartPlay_;
    TNotifyEvent onStopPlay_;

    std::int32_t scrollPos_ = 0;
    std::uint8_t lineHeight_ = 1;
    QRect textRect_;
    QPoint glyphOrigin_;
    QImage image_; // every line, drawn once while active; the view shows a part of it
    QList<QPointer<QWidget>> hiddenChildren_;
    TRxTimer timer_;
};

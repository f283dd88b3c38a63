// TDigits: a seven-segment style display of a number, a time of day or a date, from digit strips.
#pragma once

#include "timing/TimerTypes.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

enum TDigitsMode : std::uint8_t { dmCounter, dmTime, dmDate };

// Draws on its parent's background (it never erases it) from copies of the pictures it is given.
// A picture setter that takes std::optional treats std::nullopt as "none": the picture is removed.
// The picture rules throw std::invalid_argument with the display's own message and keep the
// previous picture. Value and DateTime repaint at once (QWidget::repaint) and only when what is
// shown changes. Only the clock starts the rolling animation.
class TDigits : public QWidget {
    Q_OBJECT
public:
    explicit TDigits(QWidget* parent = nullptr);

    // Eleven equal cells: the digits 0 to 9, then a blank cell.
    QPixmap BmpDigits() const { return bmpDigits_; }
    void SetBmpDigits(const QPixmap& v);
    // Two equal halves: positive sign, negative sign.
    QPixmap BmpPosNegSign() const { return bmpPosNegSign_.value_or(QPixmap()); }
    void SetBmpPosNegSign(const std::optional<QPixmap>& v);
    QPixmap BmpThousandsSeparator() const { return bmpThousands_.value_or(QPixmap()); }
    void SetBmpThousandsSeparator(const std::optional<QPixmap>& v);
    QPixmap BmpTimeSeparator() const { return bmpTimeSep_.value_or(QPixmap()); }
    void SetBmpTimeSeparator(const std::optional<QPixmap>& v);
    QPixmap BmpDateSeparator() const { return bmpDateSep_.value_or(QPixmap()); }
    void SetBmpDateSeparator(const std::optional<QPixmap>& v);
    // Two equal halves: AM sign, PM sign.
    QPixmap BmpAMPMSign() const { return bmpAmPm_.value_or(QPixmap()); }
    void SetBmpAMPMSign(const std::optional<QPixmap>& v);

    bool AllowNegative() const { return allowNegative_; }
    void SetAllowNegative(bool v);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    double DateTime() const { return dateTime_; }
    void SetDateTime(double v);
    int DigitCount() const { return digitCount_; }
    void SetDigitCount(int v);
    int IncDecSpeed() const { return incDecSpeed_; }
    void SetIncDecSpeed(int v);
    int IncDecSteps() const { return incDecSteps_; }
    void SetIncDecSteps(int v) { incDecSteps_ = v; }
    TDigitsMode Mode() const { return mode_; }
    void SetMode(TDigitsMode v);
    bool Running() const { return clockTimer_.isActive(); }
    void SetRunning(bool v);
    bool ShowLeadingZeros() const { return showLeadingZeros_; }
    void SetShowLeadingZeros(bool v);
    bool ShowThousandsSeparator() const { return showThousands_; }
    void SetShowThousandsSeparator(bool v);
    std::int32_t Value() const { return value_; }
    void SetValue(std::int32_t v);
    // Whether assistive technology is told of each change of what it shows (on at first). A
    // clock is not: it would speak every second; its name still tells the time when asked.
    bool Announced() const { return announced_; }
    void SetAnnounced(bool v) { announced_ = v; }

    // A roll has started; an error it throws ends the roll at once and is swallowed.
    const TNotifyEvent& OnRotateStart() const { return onRotateStart_; }
    void SetOnRotateStart(TNotifyEvent v) { onRotateStart_ = std::move(v); }
    // A roll has ended; an error it throws goes to the timers' error handler.
    const TNotifyEvent& OnRotateEnd() const { return onRotateEnd_; }
    void SetOnRotateEnd(TNotifyEvent v) { onRotateEnd_ = std::move(v); }

    // What it shows, as text: the counter's number, or the pairs of digits of the time or date
    // that start inside its width ("07:12" on a display too narrow for the seconds).
    QString ShownText() const;

    // 0 at rest, positive while rolling forward, negative while rolling backward.
    int RollCounter() const { return rollCounter_; }
    // One tick of the clock at the given time of day (the clock timer passes DateTimeNow()).
    void ClockStep(double Now);
    // One frame of the rolling animation (the roll timer's tick).
    void RollStep();
    // Sizes the control to its content when a digit strip is present.
    void AdjustSize();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int CellWidth() const;
    int CellHeight() const;
    int DigitsWidth() const; // the layout of digits, separators and sign, without AM/PM
    std::int64_t Shown(bool older) const;
    std::int64_t TimeOrDate(double dateTime) const;
    void LayoutChanged();
    void ShownChanged();
    void StartRoll(int counter);

    QPixmap bmpDigits_;
    std::optional<QPixmap> bmpPosNegSign_ = QPixmap();
    std::optional<QPixmap> bmpThousands_ = QPixmap();
    std::optional<QPixmap> bmpTimeSep_ = QPixmap();
    std::optional<QPixmap> bmpDateSep_ = QPixmap();
    std::optional<QPixmap> bmpAmPm_ = QPixmap();
    bool allowNegative_ = false;
    bool autoSize_ = true;
    double dateTime_ = 0;
    int digitCount_ = 6;
    int incDecSpeed_ = 100;
    int incDecSteps_ = 4;
    TDigitsMode mode_ = dmCounter;
    bool showLeadingZeros_ = false;
    bool showThousands_ = false;
    std::int32_t value_ = 0;
    bool announced_ = true;
    TNotifyEvent onRotateStart_;
    TNotifyEvent onRotateEnd_;
    int rollCounter_ = 0;
    QTimer rollTimer_;
    QTimer clockTimer_;

    friend class TDigitsPainter;
};

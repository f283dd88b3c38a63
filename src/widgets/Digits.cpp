// TDigits: the property rules, sizing, the clock and the rolling animation's frame count.
#include "widgets/Digits.h"

#include "widgets/DateTimeValue.h"
#include "widgets/WidgetsAccessible.h"

#include <QLocale>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace {
int LogicalWidth(const QPixmap& p) {
    return qRound(p.deviceIndependentSize().width());
}
int LogicalHeight(const QPixmap& p) {
    return qRound(p.deviceIndependentSize().height());
}
bool Usable(const std::optional<QPixmap>& p) {
    return p && !p->isNull() && LogicalWidth(*p) > 0;
}
// Width of a picture that is present and not empty, else 0.
int UsableWidth(const std::optional<QPixmap>& p) {
    return Usable(p) ? LogicalWidth(*p) : 0;
}
// A handler that throws must not unwind through the event loop.
template <typename F> void Guarded(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        ReportTimerError(e);
    }
}
} // namespace

TDigits::TDigits(QWidget* parent) : QWidget(parent) {
    InstallWidgetsAccessibility();
    resize(84, 20);
    rollTimer_.setInterval(incDecSpeed_);
    clockTimer_.setInterval(100);
    connect(&rollTimer_, &QTimer::timeout, this, [this] { Guarded([this] { RollStep(); }); });
    connect(&clockTimer_, &QTimer::timeout, this,
            [this] { Guarded([this] { ClockStep(DateTimeNow()); }); });
}

int TDigits::CellWidth() const {
    return LogicalWidth(bmpDigits_) / 11;
}

int TDigits::CellHeight() const {
    return LogicalHeight(bmpDigits_);
}

void TDigits::SetBmpDigits(const QPixmap& v) {
    const int width = v.isNull() ? 0 : LogicalWidth(v);
    if (width == 0 || LogicalHeight(v) == 0 || width % 11 != 0) {
        throw std::invalid_argument(
            "BmpDigits requires a bitmap that contains the digits 0 through "
            "9 and an empty space of equal width");
    }
    bmpDigits_ = v;
    if (autoSize_) {
        AdjustSize();
    }
    update();
}

void TDigits::SetBmpPosNegSign(const std::optional<QPixmap>& v) {
    if (!v) {
        bmpPosNegSign_.reset();
        allowNegative_ = false;
    } else if (v->isNull() || LogicalWidth(*v) == 0 || LogicalWidth(*v) % 2 != 0) {
        throw std::invalid_argument("BmpPosNegSign requires a bitmap that contains a positive sign "
                                    "and a negative sign of equal width");
    } else {
        bmpPosNegSign_ = *v;
    }
    LayoutChanged();
}

void TDigits::SetBmpThousandsSeparator(const std::optional<QPixmap>& v) {
    bmpThousands_ = v;
    showThousands_ = showThousands_ && Usable(bmpThousands_);
    LayoutChanged();
}

void TDigits::SetBmpTimeSeparator(const std::optional<QPixmap>& v) {
    bmpTimeSep_ = v;
    if (mode_ == dmTime) {
        LayoutChanged();
    }
}

void TDigits::SetBmpDateSeparator(const std::optional<QPixmap>& v) {
    bmpDateSep_ = v;
    if (mode_ == dmDate) {
        LayoutChanged();
    }
}

void TDigits::SetBmpAMPMSign(const std::optional<QPixmap>& v) {
    if (v && !v->isNull() && LogicalWidth(*v) % 2 != 0) {
        throw std::invalid_argument("BmpAMPMSign requires a bitmap that contains an AM sign and a "
                                    "PM sign of equal width");
    }
    bmpAmPm_ = v;
    if (mode_ == dmTime) {
        LayoutChanged();
    }
}

void TDigits::SetAllowNegative(bool v) {
    v = v && Usable(bmpPosNegSign_);
    if (allowNegative_ == v) {
        return;
    }
    allowNegative_ = v;
    LayoutChanged();
}

void TDigits::SetAutoSize(bool v) {
    if (autoSize_ != v) {
        autoSize_ = v;
        if (v) {
            AdjustSize();
        }
    }
}

void TDigits::SetDateTime(double v) {
    const bool changes = mode_ != dmCounter && TimeOrDate(v) != TimeOrDate(dateTime_);
    dateTime_ = v;
    if (changes) {
        repaint();
        ShownChanged();
    }
}

void TDigits::SetDigitCount(int v) {
    v = std::clamp(v, 1, 10);
    if (digitCount_ != v) {
        digitCount_ = v;
        LayoutChanged();
    }
}

void TDigits::SetIncDecSpeed(int v) {
    v = std::max(v, 1);
    if (incDecSpeed_ != v) {
        incDecSpeed_ = v;
        rollTimer_.setInterval(v);
    }
}

void TDigits::SetMode(TDigitsMode v) {
    if (mode_ != v) {
        mode_ = v;
        LayoutChanged();
    }
}

void TDigits::SetRunning(bool v) {
    if (v) {
        clockTimer_.start();
    } else {
        clockTimer_.stop();
    }
}

void TDigits::SetShowLeadingZeros(bool v) {
    if (showLeadingZeros_ != v) {
        showLeadingZeros_ = v;
        repaint();
    }
}

void TDigits::SetShowThousandsSeparator(bool v) {
    v = v && Usable(bmpThousands_);
    if (showThousands_ != v) {
        showThousands_ = v;
        LayoutChanged();
    }
}

void TDigits::SetValue(std::int32_t v) {
    if (v < 0 && !allowNegative_) {
        v = 0;
    }
    if (value_ != v) {
        value_ = v;
        repaint();
        ShownChanged();
    }
}

void TDigits::LayoutChanged() {
    if (autoSize_) {
        AdjustSize();
    }
    update();
}

void TDigits::ShownChanged() {
    if (announced_) {
        AccessibleShownChanged(this);
    }
}

int TDigits::DigitsWidth() const {
    const int w = CellWidth();
    switch (mode_) {
    case dmTime:
        return 6 * w + 2 * UsableWidth(bmpTimeSep_);
    case dmDate:
        return 6 * w + 2 * UsableWidth(bmpDateSep_);
    case dmCounter:
        break;
    }
    int width = digitCount_ * w;
    if (showThousands_) {
        width += UsableWidth(bmpThousands_) * ((digitCount_ - 1) / 3);
    }
    if (allowNegative_) {
        width += UsableWidth(bmpPosNegSign_) / 2;
    }
    return width;
}

void TDigits::AdjustSize() {
    if (bmpDigits_.isNull() || CellWidth() == 0) {
        return;
    }
    const int amPm = mode_ == dmTime ? UsableWidth(bmpAmPm_) / 2 : 0;
    resize(DigitsWidth() + amPm, CellHeight());
}

std::int64_t TDigits::TimeOrDate(double dateTime) const {
    if (mode_ == dmTime) {
        return TimeDigits(dateTime);
    }
    const TDateParts d = DecodeDate(dateTime);
    const std::int64_t year = std::abs(d.Year) % 100;
    const QString format = QLocale().dateFormat(QLocale::ShortFormat);
    const QChar first = format.isEmpty() ? QChar() : format.at(0);
    if (first == 'd' || first == 'D') {
        return d.Day * 10000 + d.Month * 100 + year;
    }
    if (first == 'y' || first == 'Y') {
        return year * 10000 + d.Month * 100 + d.Day;
    }
    return d.Month * 10000 + d.Day * 100 + year;
}

QString TDigits::ShownText() const {
    if (mode_ == dmCounter) {
        return QString::number(value_);
    }
    const QString digits = QStringLiteral("%1").arg(TimeOrDate(dateTime_), 6, 10, QLatin1Char('0'));
    const int separator = UsableWidth(mode_ == dmTime ? bmpTimeSep_ : bmpDateSep_);
    const int pairWidth = 2 * CellWidth() + separator;
    QStringList pairs;
    for (int i = 0; i < 3 && (pairWidth == 0 || i * pairWidth < width()); ++i) {
        pairs << digits.mid(2 * i, 2);
    }
    return pairs.join(mode_ == dmTime ? QLatin1Char(':') : QLatin1Char('/'));
}

std::int64_t TDigits::Shown(bool older) const {
    const bool forward = rollCounter_ > 0;
    if (mode_ == dmCounter) {
        if (!older) {
            return value_;
        }
        std::int64_t limit = 1;
        for (int i = 0; i < digitCount_; ++i) {
            limit *= 10;
        }
        if (forward) {
            return value_ == 0 && !allowNegative_ ? limit - 1 : std::int64_t(value_) - 1;
        }
        const std::int64_t next = std::int64_t(value_) + 1;
        return next == limit ? (allowNegative_ ? 1 - limit : 0) : next;
    }
    const double step = mode_ == dmTime ? OneSecond : 1.0;
    if (!older) {
        return TimeOrDate(dateTime_);
    }
    return TimeOrDate(forward ? dateTime_ - step : dateTime_ + step);
}

void TDigits::StartRoll(int counter) {
    rollCounter_ = counter;
    repaint();
    try {
        rollTimer_.start();
        if (onRotateStart_) {
            TNotifyEvent handler = onRotateStart_;
            handler(this);
        }
    } catch (...) {
        rollCounter_ = 0;
        repaint();
    }
}

void TDigits::ClockStep(double Now) {
    if (mode_ != dmTime) {
        return;
    }
    const std::int32_t shown = SecondsOfDay(dateTime_);
    const std::int32_t now = SecondsOfDay(Now);
    if (now == shown) {
        return;
    }
    dateTime_ = Now;
    ShownChanged();
    StartRoll(now > shown ? incDecSteps_ - 1 : 1 - incDecSteps_);
}

void TDigits::RollStep() {
    if (rollCounter_ == 0) {
        rollTimer_.stop();
        if (onRotateEnd_) {
            TNotifyEvent handler = onRotateEnd_;
            handler(this);
        }
        return;
    }
    rollCounter_ += rollCounter_ > 0 ? -1 : 1;
    repaint();
}

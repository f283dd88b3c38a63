// TDigits painting: digit cells, separators, signs and the rolling frames, right to left.
#include "widgets/Digits.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

// Copies cells of the display's pictures onto its surface. Source rectangles are taken in the
// picture's device pixels so that strips drawn at a higher pixel ratio stay sharp.
class TDigitsPainter {
public:
    TDigitsPainter(const TDigits& digits, QPainter& painter)
        : d_(digits), p_(painter), forward_(digits.rollCounter_ > 0) {}

    void Paint();

private:
    void Copy(const QPixmap& pic, int srcX, int srcY, int w, int h, int destX, int destY) {
        const qreal r = pic.devicePixelRatio();
        p_.drawPixmap(QRectF(destX, destY, w, h), pic, QRectF(srcX * r, srcY * r, w * r, h * r));
    }
    void Cell(const QPixmap& pic, int w, int index, int destX) {
        Copy(pic, index * w, 0, w, qRound(pic.deviceIndependentSize().height()), destX, 0);
    }
    void Roll(const QPixmap& pic, int w, int oldIndex, int newIndex, int destX);
    void Sign(const QPixmap& pic, int oldHalf, int newHalf, bool rolling, int destX);
    int Digit(std::int64_t v, int i, std::int64_t power) const;
    void Separator(int i, int& x);

    const TDigits& d_;
    QPainter& p_;
    bool forward_;
};

void TDigitsPainter::Roll(const QPixmap& pic, int w, int oldIndex, int newIndex, int destX) {
    const int h = qRound(pic.deviceIndependentSize().height());
    const int steps = std::max(d_.incDecSteps_, 1); // a caller's 0 must not divide by zero
    const int c = d_.rollCounter_;
    const int k = std::clamp(forward_ ? h * c / steps : h * (c + steps) / steps, 0, h);
    // Forward the old picture leaves at the top; backward the new one comes down from above.
    const int upper = forward_ ? oldIndex : newIndex;
    const int lower = forward_ ? newIndex : oldIndex;
    Copy(pic, upper * w, h - k, w, k, destX, 0);
    Copy(pic, lower * w, 0, w, h - k, destX, k);
}

void TDigitsPainter::Sign(const QPixmap& pic, int oldHalf, int newHalf, bool rolling, int destX) {
    const int half = qRound(pic.deviceIndependentSize().width()) / 2;
    if (rolling) {
        Roll(pic, half, oldHalf, newHalf, destX);
    } else {
        Cell(pic, half, newHalf, destX);
    }
}

int TDigitsPainter::Digit(std::int64_t v, int i, std::int64_t power) const {
    const std::int64_t q = std::llabs(v) / power;
    const int digit = static_cast<int>(q % 10);
    if (d_.showLeadingZeros_) {
        return digit;
    }
    if (d_.mode_ == dmCounter) {
        return q == 0 && i > 1 ? 10 : digit;
    }
    return digit == 0 && i % 2 == 0 ? 10 : digit;
}

void TDigitsPainter::Separator(int i, int& x) {
    const std::optional<QPixmap>* sep = nullptr;
    if (d_.mode_ == dmCounter) {
        if (d_.showThousands_ && i % 3 == 0 && i < d_.digitCount_) {
            sep = &d_.bmpThousands_;
        }
    } else if (i % 2 == 0 && i < 6) {
        sep = d_.mode_ == dmTime ? &d_.bmpTimeSep_ : &d_.bmpDateSep_;
    }
    if (sep == nullptr || !*sep || (*sep)->isNull()) {
        return;
    }
    const QPixmap& pic = **sep;
    const QSize size = pic.deviceIndependentSize().toSize();
    x -= size.width();
    Copy(pic, 0, 0, size.width(), size.height(), x, 0);
}

void TDigitsPainter::Paint() {
    const int w = d_.CellWidth();
    if (w == 0) {
        return;
    }
    const int n = d_.mode_ == dmCounter ? d_.digitCount_ : 6;
    std::int64_t value = d_.Shown(false);
    std::int64_t old = d_.Shown(true);
    int x = d_.DigitsWidth();
    const QPixmap& amPm = d_.bmpAmPm_.value_or(QPixmap());
    if (d_.mode_ == dmTime && !amPm.isNull() && amPm.width() > 0) {
        // Halves: 0 = AM, 1 = PM. The sign rolls where the clock passes noon or midnight.
        const bool toAm = forward_ ? value == 0 : value == 115959;
        const bool toPm = forward_ ? value == 120000 : value == 235959;
        if (toAm || toPm) {
            Sign(amPm, toAm ? 1 : 0, toAm ? 0 : 1, true, x);
        } else {
            Sign(amPm, 0, value < 120000 ? 0 : 1, false, x);
        }
        for (std::int64_t* v : {&value, &old}) {
            *v = *v >= 120000 ? *v - 120000 : *v;
            *v = *v < 10000 ? *v + 120000 : *v;
        }
    }
    std::int64_t power = 1;
    for (int i = 1; i <= n; ++i, power *= 10) {
        x -= w;
        const int digit = Digit(value, i, power);
        const int oldDigit = Digit(old, i, power);
        if (digit != oldDigit) {
            Roll(d_.bmpDigits_, w, oldDigit, digit, x);
        } else {
            Cell(d_.bmpDigits_, w, digit, x);
        }
        Separator(i, x);
    }
    if (d_.mode_ == dmCounter && d_.allowNegative_) {
        // Halves: 0 = positive, 1 = negative.
        const QPixmap& sign = *d_.bmpPosNegSign_;
        const bool toPositive = forward_ && value == 0;
        const bool toNegative = !forward_ && value == -1;
        if (toPositive || toNegative) {
            Sign(sign, toPositive ? 1 : 0, toPositive ? 0 : 1, true, 0);
        } else {
            Sign(sign, 0, value < 0 ? 1 : 0, false, 0);
        }
    }
}

void TDigits::paintEvent(QPaintEvent*) {
    if (bmpDigits_.isNull()) {
        return;
    }
    QPainter painter(this);
    TDigitsPainter(*this, painter).Paint();
}

// TDigits as the main window's three displays use it, read back cell by cell from grab() images.
#include "widgets/Digits.h"
#include "WidgetTestSupport.h"
#include "resources/Artwork.h"
#include "widgets/DateTimeValue.h"

#include <QLocale>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int Blank = 10;

struct Pictures {
    QPixmap big = Artwork::BigDigits(1.0);
    QPixmap small = Artwork::SmallDigits(1.0);
    QPixmap separator = Artwork::TimeSeparator(1.0);
};

QImage Cell(const QPixmap& strip, int index) {
    const int w = strip.width() / 11;
    return strip.toImage()
        .convertToFormat(QImage::Format_RGB32)
        .copy(index * w, 0, w, strip.height());
}

// The cells shown from the left, `w` pixels wide, with `separatorAfter` naming the cell counts
// after which a 16-pixel separator stands.
std::vector<QImage> Cells(const QImage& shown, int w, int count, std::vector<int> separatorAfter) {
    std::vector<QImage> cells;
    int x = 0;
    for (int i = 0; i < count; ++i) {
        cells.push_back(shown.copy(x, 0, w, shown.height()));
        x += w;
        if (std::find(separatorAfter.begin(), separatorAfter.end(), i + 1) !=
            separatorAfter.end()) {
            x += 16;
        }
    }
    return cells;
}

// Rows [from, from + count) of a cell.
QImage Rows(const QImage& cell, int from, int count) {
    return cell.copy(0, from, cell.width(), count);
}

class DigitsTest : public ::testing::Test {
protected:
    void MakeMovesDone() {
        digits.SetBmpDigits(art.big);
        digits.SetDigitCount(3);
    }
    void MakeTimeElapsed() {
        digits.SetBmpDigits(art.big);
        digits.SetBmpTimeSeparator(art.separator);
        digits.SetMode(dmTime);
        digits.SetShowLeadingZeros(true);
    }
    std::vector<QImage> TimeCells() { return Cells(Grabbed(digits), 16, 6, {2, 4}); }
    // What a still display of `digits` shows: strip cells.
    std::vector<QImage> Expect(std::vector<int> indexes) {
        std::vector<QImage> cells;
        for (int i : indexes) {
            cells.push_back(Cell(art.big, i));
        }
        return cells;
    }

    Pictures art;
    TDigits digits;
};

TEST_F(DigitsTest, MovesDoneShowsBlanksForLeadingZeros) {
    MakeMovesDone();
    EXPECT_EQ(digits.size(), QSize(48, 21));
    EXPECT_EQ(Cells(Grabbed(digits), 16, 3, {}), Expect({Blank, Blank, 0}));
    digits.SetValue(12);
    EXPECT_EQ(Cells(Grabbed(digits), 16, 3, {}), Expect({Blank, 1, 2}));
    digits.SetValue(1234); // the low three digits of what does not fit
    EXPECT_EQ(Cells(Grabbed(digits), 16, 3, {}), Expect({2, 3, 4}));
}

TEST_F(DigitsTest, TimeWithAndWithoutLeadingZeros) {
    MakeTimeElapsed();
    EXPECT_EQ(digits.size(), QSize(128, 21));
    digits.SetDateTime(EncodeTime(1, 2, 3));
    EXPECT_EQ(TimeCells(), Expect({0, 1, 0, 2, 0, 3}));
    const QImage shown = Grabbed(digits);
    const QImage separator = art.separator.toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.copy(32, 0, 16, 21), separator);
    EXPECT_EQ(shown.copy(80, 0, 16, 21), separator);
    digits.SetShowLeadingZeros(false);
    EXPECT_EQ(TimeCells(), Expect({Blank, 1, Blank, 2, Blank, 3}));
    digits.SetDateTime(EncodeTime(23, 40, 5));
    EXPECT_EQ(TimeCells(), Expect({2, 3, 4, 0, Blank, 5}));
}

TEST_F(DigitsTest, ClockRollsForwardOnlyTheCellsThatChange) {
    MakeTimeElapsed();
    digits.SetIncDecSteps(4);
    int starts = 0, ends = 0;
    digits.SetOnRotateStart([&](QObject*) { ++starts; });
    digits.SetOnRotateEnd([&](QObject*) { ++ends; });
    digits.SetDateTime(EncodeTime(10, 0, 0));
    digits.ClockStep(EncodeTime(10, 0, 1, 400));
    EXPECT_EQ(digits.RollCounter(), 3);
    EXPECT_EQ(starts, 1);
    // Frame 3 of 4: k = 21 x 3 div 4 = 15 rows of the old 0 leave upward, 6 rows of the new 1
    // rise below them.
    std::vector<QImage> cells = TimeCells();
    const std::vector<QImage> still = Expect({1, 0, 0, 0, 0, 1});
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(cells[i], still[i]) << "cell " << i << " must not roll";
    }
    EXPECT_EQ(Rows(cells[5], 0, 15), Rows(Cell(art.big, 0), 6, 15));
    EXPECT_EQ(Rows(cells[5], 15, 6), Rows(Cell(art.big, 1), 0, 6));

    for (int frame = 2; frame >= 0; --frame) {
        digits.RollStep();
        EXPECT_EQ(digits.RollCounter(), frame);
    }
    EXPECT_EQ(TimeCells(), still);
    EXPECT_EQ(ends, 0);
    digits.RollStep();
    EXPECT_EQ(ends, 1);

    // 09:59:59 to 10:00:00 turns every cell at once.
    digits.SetDateTime(EncodeTime(9, 59, 59));
    digits.ClockStep(EncodeTime(10, 0, 0));
    cells = TimeCells();
    const std::vector<QImage> after = Expect({1, 0, 0, 0, 0, 0});
    for (int i = 0; i < 6; ++i) {
        EXPECT_NE(cells[i], after[i]) << "cell " << i << " must roll";
    }
}

TEST_F(DigitsTest, ClockRollsBackwardWhenTimeGoesBack) {
    MakeTimeElapsed();
    digits.SetIncDecSteps(4);
    digits.SetDateTime(EncodeTime(10, 0, 1));
    digits.ClockStep(EncodeTime(10, 0, 0));
    EXPECT_EQ(digits.RollCounter(), -3);
    // k = 21 x (-3 + 4) div 4 = 5: the bottom 5 rows of the new 0 come down from above, the
    // top 16 rows of the old 1 stay below them.
    const std::vector<QImage> cells = TimeCells();
    EXPECT_EQ(Rows(cells[5], 0, 5), Rows(Cell(art.big, 0), 16, 5));
    EXPECT_EQ(Rows(cells[5], 5, 16), Rows(Cell(art.big, 1), 0, 16));
    EXPECT_EQ(cells[4], Cell(art.big, 0));
    digits.RollStep();
    EXPECT_EQ(digits.RollCounter(), -2);
    // The same second again starts nothing.
    digits.ClockStep(EncodeTime(10, 0, 0, 900));
    EXPECT_EQ(digits.RollCounter(), -2);
}

TEST_F(DigitsTest, CoordinatesDisplayClipsAwayTheSeconds) {
    digits.SetBmpDigits(art.small);
    digits.SetBmpTimeSeparator(art.separator);
    digits.SetMode(dmTime);
    digits.SetShowLeadingZeros(true);
    digits.SetAutoSize(false);
    digits.resize(75, 20);
    digits.SetDigitCount(4);
    digits.SetIncDecSpeed(1);
    digits.SetIncDecSteps(10);
    digits.SetDateTime(EncodeTime(5, 12, 0));
    const QImage shown = Grabbed(digits);
    ASSERT_EQ(shown.size(), QSize(75, 20));
    EXPECT_EQ(shown.copy(0, 0, 15, 20), Cell(art.small, 0));
    EXPECT_EQ(shown.copy(15, 0, 15, 20), Cell(art.small, 5));
    EXPECT_EQ(shown.copy(30, 0, 16, 20),
              art.separator.toImage().convertToFormat(QImage::Format_RGB32).copy(0, 0, 16, 20));
    EXPECT_EQ(shown.copy(46, 0, 15, 20), Cell(art.small, 1));
    EXPECT_EQ(shown.copy(61, 0, 14, 20), Cell(art.small, 2).copy(0, 0, 14, 20));
}

TEST_F(DigitsTest, PropertyRules) {
    digits.SetDigitCount(0);
    EXPECT_EQ(digits.DigitCount(), 1);
    digits.SetDigitCount(11);
    EXPECT_EQ(digits.DigitCount(), 10);
    digits.SetIncDecSpeed(0);
    EXPECT_EQ(digits.IncDecSpeed(), 1);

    MakeMovesDone();
    try {
        digits.SetBmpDigits(QPixmap(100, 21));
        FAIL() << "a 100-pixel strip was taken";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "BmpDigits requires a bitmap that contains the digits 0 through 9 "
                               "and an empty space of equal width");
    }
    EXPECT_EQ(digits.BmpDigits().width(), 176); // the previous strip stays
    EXPECT_THROW(digits.SetBmpPosNegSign(QPixmap(15, 21)), std::invalid_argument);
    EXPECT_THROW(digits.SetBmpAMPMSign(QPixmap(15, 21)), std::invalid_argument);

    digits.SetAllowNegative(true); // no sign picture yet
    EXPECT_FALSE(digits.AllowNegative());
    digits.SetValue(-7);
    EXPECT_EQ(digits.Value(), 0);
    EXPECT_EQ(Cells(Grabbed(digits), 16, 3, {}), Expect({Blank, Blank, 0}));

    digits.SetShowThousandsSeparator(true); // no separator picture
    EXPECT_FALSE(digits.ShowThousandsSeparator());
}

TEST_F(DigitsTest, NegativeCounterShowsTheSignHalf) {
    MakeMovesDone();
    QPixmap sign(16, 21);
    sign.fill(Qt::black);
    {
        QPainter p(&sign);
        p.fillRect(0, 0, 8, 21, Qt::green); // positive half
        p.fillRect(8, 0, 8, 21, Qt::red);   // negative half
    }
    digits.SetBmpPosNegSign(sign);
    digits.SetAllowNegative(true);
    EXPECT_EQ(digits.size(), QSize(56, 21));
    digits.SetValue(-45);
    QImage shown = Grabbed(digits);
    EXPECT_EQ(shown.pixelColor(3, 10), QColor(Qt::red));
    EXPECT_EQ(Cells(shown.copy(8, 0, 48, 21), 16, 3, {}), Expect({Blank, 4, 5}));
    digits.SetValue(45);
    EXPECT_EQ(Grabbed(digits).pixelColor(3, 10), QColor(Qt::green));
    digits.SetBmpPosNegSign(std::nullopt); // none: the sign goes, and with it negatives
    EXPECT_FALSE(digits.AllowNegative());
    EXPECT_EQ(digits.size(), QSize(48, 21));
}

// A two-half picture: the left half in one colour, the right half in another.
QPixmap Halves(int width, const QColor& left, const QColor& right) {
    QPixmap picture(width, 21);
    QPainter p(&picture);
    p.fillRect(0, 0, width / 2, 21, left);
    p.fillRect(width / 2, 0, width - width / 2, 21, right);
    return picture;
}

TEST_F(DigitsTest, TwelveHourClockWithAmPmSign) {
    MakeTimeElapsed();
    digits.SetBmpAMPMSign(Halves(20, Qt::green, Qt::red)); // AM green, PM red
    EXPECT_EQ(digits.size(), QSize(138, 21));
    digits.SetDateTime(EncodeTime(13, 5, 0));
    EXPECT_EQ(TimeCells(), Expect({0, 1, 0, 5, 0, 0}));
    EXPECT_EQ(Grabbed(digits).pixelColor(132, 10), QColor(Qt::red));
    digits.SetDateTime(EncodeTime(0, 30, 0)); // hour 0 reads 12
    EXPECT_EQ(TimeCells(), Expect({1, 2, 3, 0, 0, 0}));
    EXPECT_EQ(Grabbed(digits).pixelColor(132, 10), QColor(Qt::green));
}

TEST_F(DigitsTest, DateFieldsFollowTheLocaleOrder) {
    digits.SetBmpDigits(art.big);
    digits.SetMode(dmDate);
    digits.SetShowLeadingZeros(true);
    const double march7th2024 = 45358.0;
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); // day first
    digits.SetDateTime(march7th2024);
    EXPECT_EQ(Cells(Grabbed(digits), 16, 6, {}), Expect({0, 7, 0, 3, 2, 4}));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); // month first
    digits.update();
    EXPECT_EQ(Cells(Grabbed(digits), 16, 6, {}), Expect({0, 3, 0, 7, 2, 4}));
    QLocale::setDefault(before);
}

TEST(DigitsOnScreen, ValueShowsAtOnceWithoutWaitingForEvents) {
    QWidget window;
    window.resize(100, 40);
    window.setStyleSheet("background: black");
    TDigits digits(&window);
    digits.SetBmpDigits(Artwork::BigDigits(1.0));
    digits.SetDigitCount(3);
    ASSERT_TRUE(ShowAndWait(window));
    digits.SetValue(8);
    const QImage screen = OnScreen(window);
    EXPECT_EQ(screen.copy(32, 0, 16, 21), Cell(Artwork::BigDigits(1.0), 8));
}

} // namespace

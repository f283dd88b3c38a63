// TDigits as the main window's three displays use it, read back cell by cell from grab() images.
#include "widgets/Digits.h"
#include "WidgetTestSupport.h"
#include "resources/Artwork.h"
#include "widgets/DateTimeValue.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

constexpr int Blank = 10;

QImage Cell(const QPixmap& strip, int index) {
    const int w = strip.width() / 11;
    return Rgb(strip).copy(index * w, 0, w, strip.height());
}

// A two-half picture: the left half in one colour, the right half in another.
QPixmap Halves(int width, const QColor& left, const QColor& right) {
    QPixmap picture(width, 21);
    QPainter p(&picture);
    p.fillRect(0, 0, width / 2, 21, left);
    p.fillRect(width / 2, 0, width - width / 2, 21, right);
    return picture;
}

class DigitsTest : public ::testing::Test {
protected:
    void MakeTimeElapsed() {
        digits.SetBmpDigits(big);
        digits.SetBmpTimeSeparator(separator);
        digits.SetMode(dmTime);
        digits.SetShowLeadingZeros(true);
    }
    // The 16-pixel cells shown from `x` on, with a 16-pixel separator after every `group`.
    std::vector<QImage> Cells(int count, int group = 0, int x = 0) {
        const QImage shown = Grabbed(digits);
        std::vector<QImage> cells;
        for (int i = 1; i <= count; ++i, x += 16) {
            cells.push_back(shown.copy(x, 0, 16, shown.height()));
            x += group != 0 && i % group == 0 ? 16 : 0;
        }
        return cells;
    }
    // What a still display of these strip cells shows.
    std::vector<QImage> Expect(std::vector<int> indexes) {
        std::vector<QImage> cells;
        for (int i : indexes) {
            cells.push_back(Cell(big, i));
        }
        return cells;
    }

    QPixmap big = Artwork::BigDigits(1.0);
    QPixmap separator = Artwork::TimeSeparator(1.0);
    TDigits digits;
};

TEST_F(DigitsTest, CounterShowsBlanksForLeadingZerosAndASignOnlyWithItsPicture) {
    digits.SetBmpDigits(big);
    digits.SetDigitCount(3);
    const std::pair<int, std::vector<int>> shown[] = {
        {0, {Blank, Blank, 0}}, {12, {Blank, 1, 2}}, {1234, {2, 3, 4}}, {-7, {Blank, Blank, 0}}};
    for (const auto& [value, cells] : shown) {
        digits.SetValue(value); // the low three digits of what does not fit; no sign picture
        EXPECT_EQ(Cells(3), Expect(cells)) << value;
    }
    digits.SetAllowNegative(true);
    EXPECT_FALSE(digits.AllowNegative());

    digits.SetBmpPosNegSign(Halves(16, Qt::green, Qt::red)); // positive and negative halves
    digits.SetAllowNegative(true);
    EXPECT_EQ(digits.size(), QSize(56, 21)); // three cells and half the sign picture
    digits.SetValue(-45);
    EXPECT_EQ(Grabbed(digits).pixelColor(3, 10), QColor(Qt::red));
}

TEST_F(DigitsTest, TimeShowsEachFieldWithItsLeadingZeroAndOnATwelveHourClockZeroReadsTwelve) {
    MakeTimeElapsed();
    digits.SetDateTime(EncodeTime(23, 40, 5));
    EXPECT_EQ(Cells(6, 2), Expect({2, 3, 4, 0, 0, 5}));
    EXPECT_EQ(Grabbed(digits).copy(80, 0, 16, 21), Rgb(separator));
    digits.SetBmpAMPMSign(Halves(20, Qt::green, Qt::red));
    EXPECT_EQ(digits.size(), QSize(138, 21)); // six cells, two separators, half the sign
    digits.SetDateTime(EncodeTime(0, 30, 0));
    EXPECT_EQ(Cells(6, 2), Expect({1, 2, 3, 0, 0, 0}));
}

TEST_F(DigitsTest, ClockRollsOnlyTheCellsThatChangeForwardOrBackward) {
    MakeTimeElapsed();
    digits.SetIncDecSteps(4);
    digits.SetBmpAMPMSign(Halves(20, Qt::green, Qt::red)); // AM stands through both rolls
    // Frame 3 of 4 forward: k = 21 x 3 div 4 = 15 rows of the old 0 leave upward, 6 rows of the
    // new 1 rise below them. Backward, k = 21 x (-3 + 4) div 4 = 5: the bottom 5 rows of the new
    // 0 come down from above the top 16 rows of the old 1.
    for (const auto& [from, to, counter, k] : {std::tuple(0, 1, 3, 15), std::tuple(1, 0, -3, 5)}) {
        digits.SetDateTime(EncodeTime(10, 0, from));
        digits.ClockStep(EncodeTime(10, 0, to, 400));
        EXPECT_EQ(digits.RollCounter(), counter);
        const std::vector<QImage> cells = Cells(6, 2);
        EXPECT_EQ(Grabbed(digits).copy(128, 0, 10, 21),
                  Rgb(Halves(20, Qt::green, Qt::green)).copy(0, 0, 10, 21));
        const std::vector<QImage> still = Expect({1, 0, 0, 0, 0});
        EXPECT_EQ(std::vector(cells.begin(), cells.begin() + 5), still) << "only seconds roll";
        EXPECT_EQ(cells[5].copy(0, 0, 16, k), Cell(big, 0).copy(0, 21 - k, 16, k));
        EXPECT_EQ(cells[5].copy(0, k, 16, 21 - k), Cell(big, 1).copy(0, 0, 16, 21 - k));
        digits.RollStep();
        EXPECT_EQ(digits.RollCounter(), counter / 3 * 2);
    }
    digits.ClockStep(EncodeTime(10, 0, 0, 900)); // the same second again starts nothing
    digits.RollStep();
    digits.RollStep();
    EXPECT_EQ(digits.RollCounter(), 0);
    EXPECT_EQ(Cells(6, 2), Expect({1, 0, 0, 0, 0, 0}));
    digits.ClockStep(EncodeTime(10, 0, 1)); // a counter now, mid-roll: 4 leaves, 5 rises
    digits.SetMode(dmCounter);
    digits.SetValue(5);
    EXPECT_EQ(Cells(6)[5].copy(0, 0, 16, 15), Cell(big, 4).copy(0, 6, 16, 15));
}

// Date-time values count days from 1899-12-30; the clock's second is the whole second.
TEST(DateTimeValue, DaysFromTheEpochAndSecondsOfTheDayReadAsTheCalendarAndTheClockSay) {
    const TDateParts day = DecodeDate(45000 + EncodeTime(23, 59, 59, 600));
    EXPECT_EQ(std::tuple(day.Year, day.Month, day.Day, SecondsOfDay(EncodeTime(23, 59, 59, 400))),
              std::tuple(2023, 3, 15, 86399));
    EXPECT_GT(DateTimeNow(), 45000); // today is after that day
}

} // namespace

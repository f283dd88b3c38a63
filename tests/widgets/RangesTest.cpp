// The controls' settings kept in their ranges: a value out of range becomes the nearest bound.
#include "widgets/Digits.h"
#include "widgets/RxDrawGrid.h"
#include "widgets/SecretPanel.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

namespace {

// One setting of a control: set to a value, then read back.
template <typename T>
std::function<int(int)> Setting(T& c, void (T::*set)(int), int (T::*get)() const) {
    return [&c, set, get](int v) {
        (c.*set)(v);
        return (c.*get)();
    };
}

TEST(WidgetRanges, ASettingOutOfRangeBecomesItsNearestBound) {
    using D = TDigits;
    using P = TSecretPanel;
    using G = TRxDrawGrid;
    D digits;
    P panel;
    G grid;
    const std::tuple<const char*, std::function<int(int)>, int, int> rows[] = {
        {"digit count", Setting(digits, &D::SetDigitCount, &D::DigitCount), 1, 10},
        {"roll speed", Setting(digits, &D::SetIncDecSpeed, &D::IncDecSpeed), 1, 1000},
        {"bevel width", Setting(panel, &P::SetBevelWidth, &P::BevelWidth), 1, 1000},
        {"border width", Setting(panel, &P::SetBorderWidth, &P::BorderWidth), 0, 1000},
        {"columns", Setting(grid, &G::SetColCount, &G::ColCount), 1, 1000},
        {"rows", Setting(grid, &G::SetRowCount, &G::RowCount), 1, 1000},
        {"fixed columns", Setting(grid, &G::SetFixedCols, &G::FixedCols), 0, 1000},
        {"fixed rows", Setting(grid, &G::SetFixedRows, &G::FixedRows), 0, 1000},
        {"column width", Setting(grid, &G::SetDefaultColWidth, &G::DefaultColWidth), 0, 1000},
        {"row height", Setting(grid, &G::SetDefaultRowHeight, &G::DefaultRowHeight), 0, 1000},
        {"line width", Setting(grid, &G::SetGridLineWidth, &G::GridLineWidth), 0, 1000},
    }; // 1000: no bound above
    for (const auto& [name, set, low, high] : rows) {
        QStringList seen, expected;
        for (int v : {low - 1, low, 99, 100}) {
            seen << QString::number(set(v));
            expected << QString::number(std::clamp(v, low, high));
        }
        EXPECT_EQ(seen.join(' ').toStdString(), expected.join(' ').toStdString()) << name;
    }
}

} // namespace

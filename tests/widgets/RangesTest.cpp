// The controls' settings kept in their ranges: a value out of range becomes the nearest bound.
#include "widgets/Digits.h"
#include "widgets/RxDrawGrid.h"
#include "widgets/SecretPanel.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

TEST(WidgetRanges, ASettingOutOfRangeBecomesItsNearestBound) {
    TDigits digits;
    TSecretPanel panel;
    TRxDrawGrid grid;
    struct TRow {
        const char* name;
        std::function<void(int)> set;
        std::function<int()> get;
        int low, high; // no bound above: 1000
    };
    const TRow rows[] = {
        {"digit count", [&](int v) { digits.SetDigitCount(v); },
         [&] { return digits.DigitCount(); }, 1, 10},
        {"roll speed", [&](int v) { digits.SetIncDecSpeed(v); },
         [&] { return digits.IncDecSpeed(); }, 1, 1000},
        {"bevel width", [&](int v) { panel.SetBevelWidth(v); }, [&] { return panel.BevelWidth(); },
         1, 1000},
        {"border width", [&](int v) { panel.SetBorderWidth(v); },
         [&] { return panel.BorderWidth(); }, 0, 1000},
        {"columns", [&](int v) { grid.SetColCount(v); }, [&] { return grid.ColCount(); }, 1, 1000},
        {"rows", [&](int v) { grid.SetRowCount(v); }, [&] { return grid.RowCount(); }, 1, 1000},
        {"fixed columns", [&](int v) { grid.SetFixedCols(v); }, [&] { return grid.FixedCols(); }, 0,
         1000},
        {"fixed rows", [&](int v) { grid.SetFixedRows(v); }, [&] { return grid.FixedRows(); }, 0,
         1000},
        {"column width", [&](int v) { grid.SetDefaultColWidth(v); },
         [&] { return grid.DefaultColWidth(); }, 0, 1000},
        {"row height", [&](int v) { grid.SetDefaultRowHeight(v); },
         [&] { return grid.DefaultRowHeight(); }, 0, 1000},
        {"line width", [&](int v) { grid.SetGridLineWidth(v); },
         [&] { return grid.GridLineWidth(); }, 0, 1000},
    };
    for (const TRow& row : rows) {
        QStringList seen, expected;
        for (int v : {row.low - 1, row.low, 99, 100}) {
            row.set(v);
            seen << QString::number(row.get());
            expected << QString::number(std::clamp(v, row.low, row.high));
        }
        EXPECT_EQ(seen.join(' ').toStdString(), expected.join(' ').toStdString()) << row.name;
    }
}

} // namespace

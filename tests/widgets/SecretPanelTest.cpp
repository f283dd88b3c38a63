// TSecretPanel as the main window's comment panel: layout, scroll steps, its end, its timer.
#include "widgets/SecretPanel.h"
#include "WidgetTestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Pixels brighter than the black ground inside an area.
int Bright(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += qGray(image.pixel(x, y)) > 64 ? 1 : 0;
        }
    }
    return count;
}

class SecretPanel : public testing::Test {
protected:
    SecretPanel() {
        panel.setGeometry(0, 0, 171, 82);
        panel.SetColor(Qt::black);
        panel.SetFontColor(Qt::white);
        QFont font(QStringLiteral("MS Sans Serif"));
        font.setStyleHint(QFont::SansSerif);
        font.setPixelSize(12);
        panel.setFont(font);
        panel.SetLines({" ", " ", " ", " ", "Press right mouse button", "on an empty square to get",
                        "a relative percentage of the", "optimal move (The optimal",
                        " move is equal to 100%).", " "});
    }
    void Steps(int count) {
        for (int i = 0; i < count; ++i) {
            panel.ScrollStep();
        }
    }

    TSecretPanel panel;
};

TEST_F(SecretPanel, EachStepMovesTheTextUpOnePixelInsideTheBevelUntilItEndsBlank) {
    panel.SetActive(true);
    const QRect text = panel.TextRect();
    const int steps = 3 * panel.LineHeight() + 5; // a line now crosses the top of the text
    Steps(steps);
    QImage before = Grabbed(panel);
    panel.ScrollStep();
    const QImage after = Grabbed(panel).copy(text);
    ASSERT_GT(Bright(before, text), 50);
    EXPECT_EQ(after.copy(0, 0, text.width(), text.height() - 1),
              before.copy(text.adjusted(0, 1, 0, 0)));
    EXPECT_EQ(before.pixel(0, 0), panel.palette().color(QPalette::Light).rgb());
    EXPECT_EQ(before.pixel(170, 81), panel.palette().color(QPalette::Dark).rgb());
    // Outside the text rectangle only the ground and the raised bevel.
    QPainter(&before).fillRect(text, Qt::black);
    EXPECT_EQ(Bright(before, QRect(1, 1, 169, 80)), 0);

    // After nine lines of steps the last line's top has reached the top: a blank, alone.
    Steps(9 * panel.LineHeight() - steps - 1);
    EXPECT_TRUE(panel.Active());
    EXPECT_EQ(Bright(Grabbed(panel), text), 0);
    panel.ScrollStep();
    EXPECT_FALSE(panel.Active());
    EXPECT_EQ(Bright(Grabbed(panel), QRect(2, 2, 167, 78)), 0);
    panel.SetActive(true); // the next 20-second tick scrolls anew
    EXPECT_TRUE(panel.Active());
    EXPECT_EQ(panel.ScrollPos(), 0);
}

TEST(SecretPanelTimer, ItsOwnTimerScrollsToTheEndAndAnActivePanelMayBeDestroyed) {
    auto panel = std::make_unique<TSecretPanel>();
    panel->resize(171, 82);
    panel->SetLines({"one", "two", "three"});
    panel->SetInterval(1);
    panel->SetActive(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel->Active(); }, 30000));
    panel->SetActive(true);
    panel.reset();
}

} // namespace

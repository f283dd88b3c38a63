// TSecretPanel as the main window's comment panel: layout, scroll steps and its end.
#include "widgets/SecretPanel.h"
#include "WidgetTestSupport.h"

#include <QApplication>
#include <QPaintEvent>
#include <gtest/gtest.h>

namespace {

class TPaintedRegion : public QObject {
public:
    QRegion Region;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            Region += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

// The main window's comment panel and its lines. A step draws the text area again, and nothing
// of the bevels around it.
TEST(SecretPanel, EachStepMovesTheTextUpOnePixelInsideTheBevelUntilItEndsBlank) {
    TSecretPanel panel;
    panel.setGeometry(0, 0, 171, 82);
    panel.SetColor(Qt::black);
    panel.SetFontColor(Qt::white);
    panel.SetLines({" ", " ", " ", " ", "Press right mouse button", "on an empty square to get",
                    "a relative percentage of the", "optimal move (The optimal",
                    " move is equal to 100%).", " "});
    ASSERT_TRUE(ShowAndWait(panel));
    const auto scroll = [&](int count) {
        for (int i = 0; i < count; ++i) {
            panel.ScrollStep();
        }
    };
    panel.SetActive(true);
    const QRect text = panel.TextRect();
    const int steps = 3 * panel.LineHeight() + 5; // a line now crosses the top of the text
    scroll(steps);
    QApplication::processEvents();
    const QImage before = Grabbed(panel);
    TPaintedRegion painted;
    panel.installEventFilter(&painted);
    panel.ScrollStep();
    QApplication::processEvents();
    EXPECT_EQ(painted.Region, QRegion(text));
    const QImage after = Grabbed(panel).copy(text);
    ASSERT_FALSE(AllOf(before, text, Qt::black));
    EXPECT_EQ(after.copy(0, 0, text.width(), text.height() - 1),
              before.copy(text.adjusted(0, 1, 0, 0)));

    // After nine lines of steps the last line's top has reached the top: a blank, alone.
    scroll(9 * panel.LineHeight() - steps - 1);
    EXPECT_TRUE(panel.Active());
    EXPECT_TRUE(AllOf(Grabbed(panel), text, Qt::black));
    panel.ScrollStep();
    EXPECT_FALSE(panel.Active());
    EXPECT_TRUE(AllOf(Grabbed(panel), QRect(2, 2, 167, 78), Qt::black));
    panel.SetActive(true); // the next 20-second tick scrolls anew
    EXPECT_EQ(std::pair(panel.Active(), panel.ScrollPos()), std::pair(true, 0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel.ScrollPos() > 1; })); // and on by itself
}

} // namespace

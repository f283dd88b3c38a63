// A fresh game left alone: only the displays whose content changes are painted again, the clock
// once for each second it shows; and nothing ticks while nobody sees the window.
#include "WindowTestSupport.h"

#include "timing/SuperTimer.h"
#include "widgets/RXCtrls.h"

#include <QElapsedTimer>
#include <QPaintEvent>

namespace {

// Every paint of every widget of a window, with each painted rectangle in window coordinates
// (the region's own rectangles: two displays changing in one frame give two rectangles, while
// their bounding rectangle would take in what lies between them).
class TPaintLog : public QObject {
public:
    // The application forgets a filter that is destroyed.
    explicit TPaintLog(QWidget* window) : Window(window) { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget != nullptr && widget->window() == Window) {
            for (const QRect& area : static_cast<QPaintEvent*>(event)->region()) {
                Paints.emplace_back(widget, area.translated(widget->mapTo(Window, QPoint())));
            }
        }
        return false;
    }
    std::vector<std::pair<QWidget*, QRect>> Paints;
    QWidget* Window;
};

class IdleRepaintTest : public WindowTest {
protected:
    // Paints of the log outside the displays whose content changes on its own (the comment
    // panel scrolls its text on its own timer). The turn stones paint their own backdrop: the
    // panel and the frame beneath them are not painted again with them.
    QStringList Elsewhere(const TPaintLog& log) const {
        QStringList elsewhere;
        const std::initializer_list<QWidget*> changing = {Form->TimeElapsed, Form->NoughtImage,
                                                          Form->CrossImage, Form->CommentPanel};
        for (const auto& [widget, area] : log.Paints) {
            if (std::none_of(changing.begin(), changing.end(), [&](QWidget* display) {
                    const bool opaque = display == Form->NoughtImage || display == Form->CrossImage;
                    return (widget == display || !opaque) &&
                           QRect(display->mapTo(Form.get(), QPoint()), display->size())
                               .contains(area);
                })) {
                elsewhere << QString::asprintf("%s %dx%d+%d+%d", widget->metaObject()->className(),
                                               area.width(), area.height(), area.x(), area.y());
            }
        }
        return elsewhere;
    }
    // The times the stone to move was painted (each time it turns on or off), or the clock.
    qsizetype Paints(const TPaintLog& log, bool clock = false) const {
        return std::count_if(log.Paints.begin(), log.Paints.end(), [&](const auto& paint) {
            return clock ? paint.first == Form->TimeElapsed
                         : paint.first == Form->NoughtImage || paint.first == Form->CrossImage;
        });
    }
};

TEST_F(IdleRepaintTest, OnlyTheClockTheTurnIndicatorAndTheCommentPanelArePaintedAgainWhileSeen) {
    Start();
    TPaintLog log(Form.get());
    // Start-up paints everything once, which a loaded machine may take a while for: the idle
    // time starts after the first two blinks in which only the changing displays were painted.
    for (int tries = 0; tries < 20; ++tries) {
        log.Paints.clear();
        ASSERT_TRUE(QTest::qWaitFor([&] { return Paints(log) >= 2; }, 60000));
        if (Elsewhere(log).isEmpty()) {
            break;
        }
    }
    // Then the window is left alone for ten blinks, however long a loaded machine takes.
    log.Paints.clear();
    QElapsedTimer idle;
    idle.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Paints(log) >= 10; }, 60000));
    const qint64 seconds = idle.elapsed() / 1000;
    EXPECT_EQ(Elsewhere(log), QStringList()) << "painted with nothing changed there";
    EXPECT_LE(Paints(log, true), seconds + 2)
        << "the clock shows seconds: one paint for each at most";
    // Nobody sees it: nothing ticks; once seen, the clock shows the time at once.
    const auto ticking = [&] {
        return Form->Timer1->isActive() + Form->BlinkTimer->Enabled() +
               !Form->CommentPanel->Paused();
    };
    Form->hide();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticking() == 0; }));
    Form->ShowTimeElapsed(0);
    Form->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticking() == 3 && Form->ElapsedShown() > 0; }));
}

} // namespace

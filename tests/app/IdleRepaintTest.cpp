// A fresh game left alone: only the displays whose content changes are painted again, the clock
// once for each second it shows and the turn indicator for each blink.
#include "MainFormTestSupport.h"

#include <QPaintEvent>
#include <vector>

namespace {

// Every paint of every widget of the application, with the painted area in window coordinates.
class TPaintLog : public QObject {
public:
    struct TPaint {
        QWidget* Widget;
        QRect Area;
    };
    std::vector<TPaint> Paints;

    explicit TPaintLog(QWidget* window) : Window(window) { qApp->installEventFilter(this); }
    ~TPaintLog() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->window() == Window) {
                const QRect area = static_cast<QPaintEvent*>(event)->rect();
                Paints.push_back({widget, area.translated(widget->mapTo(Window, QPoint()))});
            }
        }
        return false;
    }

private:
    QWidget* Window;
};

QRect InWindow(const QWidget* widget) {
    return QRect(widget->mapTo(widget->window(), QPoint()), widget->size());
}

class IdleRepaintTest : public MainFormTest {};

// Whether every paint logged lies inside one of the displays whose content changes on its own.
bool OnlyChangingDisplays(const TPaintLog& log, const std::vector<QRect>& changing) {
    return std::all_of(log.Paints.begin(), log.Paints.end(), [&](const auto& paint) {
        return std::any_of(changing.begin(), changing.end(),
                           [&](const QRect& r) { return r.contains(paint.Area); });
    });
}

TEST_F(IdleRepaintTest, OnlyTheClockAndTheTurnIndicatorArePaintedAgain) {
    Start();
    // The comment panel scrolls its text on its own timer: its content changes too.
    const std::vector<QRect> changing = {InWindow(Form->TimeElapsed), InWindow(Form->NoughtImage),
                                         InWindow(Form->CrossImage), InWindow(Form->CommentPanel)};
    // Start-up paints everything once; on a loaded machine that may take a while, so the idle
    // time is measured from the first whole second that only the changing displays were painted.
    for (int second = 0; second < 15; ++second) {
        TPaintLog settling(Form.get());
        QTest::qWait(1000);
        if (OnlyChangingDisplays(settling, changing)) {
            break;
        }
    }

    constexpr int IdleMs = 3000;
    TPaintLog log(Form.get());
    QTest::qWait(IdleMs);

    int clockPaints = 0, indicatorPaints = 0;
    for (const auto& paint : log.Paints) {
        const bool inChangingDisplay =
            std::any_of(changing.begin(), changing.end(),
                        [&](const QRect& r) { return r.contains(paint.Area); });
        EXPECT_TRUE(inChangingDisplay)
            << paint.Widget->metaObject()->className() << " '"
            << paint.Widget->objectName().toStdString() << "' painted " << paint.Area.width() << "x"
            << paint.Area.height() << "+" << paint.Area.x() << "+" << paint.Area.y()
            << " with nothing changed there";
        clockPaints += paint.Widget == Form->TimeElapsed;
        indicatorPaints += paint.Widget == Form->NoughtImage || paint.Widget == Form->CrossImage;
    }
    // The clock shows seconds: at most one paint for each second shown, however often its
    // timer runs.
    EXPECT_LE(clockPaints, IdleMs / 1000 + 2);
    // The stone of the colour to move blinks every 100 ms; it is painted when it shows again.
    EXPECT_LE(indicatorPaints, IdleMs / 100 + 2);
    EXPECT_GE(indicatorPaints, 1) << "the turn indicator did not blink";
}

} // namespace

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

TEST_F(IdleRepaintTest, OnlyTheClockAndTheTurnIndicatorArePaintedAgain) {
    Start();
    // Start-up paints everything once, and the blink's first tick comes a second after start.
    QTest::qWait(1500);

    constexpr int IdleMs = 3000;
    TPaintLog log(Form.get());
    QTest::qWait(IdleMs);

    // The comment panel scrolls its text on its own timer: its content changes too.
    const std::vector<QRect> changing = {InWindow(Form->TimeElapsed), InWindow(Form->NoughtImage),
                                         InWindow(Form->CrossImage), InWindow(Form->CommentPanel)};
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

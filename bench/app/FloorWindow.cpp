// The floor of the toolkit's costs: a bare Qt Widgets window of the main window's size (a menu
// bar, a painted 19 x 19 board, a status bar, nothing else) where a click places a stone.
// bench/report measures it beside the program, so each cost reads as a ratio to what any window
// of this size pays. With RENNOR_FLOOR_SHOWS set it also shows what the program's window shows
// while it waits for the human, by the toolkit's plainest means: a stone blinking ten times a
// second, a clock turning each second, and every 20 s ten lines of text scrolling a pixel each
// 30 ms; so the idle cost of the program reads beside what those changes cost the toolkit.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

#include <array>

namespace {

constexpr int Cells = 19;
constexpr int Cell = 19;                     // a square's side, without its line
constexpr int Side = Cells * (Cell + 1) + 3; // squares, lines between, and the border
constexpr QColor BoardGrey(0x80, 0x80, 0x80);

class TFloorBoard : public QWidget {
public:
    explicit TFloorBoard(QWidget* parent) : QWidget(parent) { setGeometry(1, 6, Side, Side); }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter canvas(this);
        canvas.fillRect(event->rect(), BoardGrey);
        canvas.setPen(Qt::black);
        for (int i = 0; i <= Cells; ++i) {
            canvas.drawLine(i * (Cell + 1), 0, i * (Cell + 1), Side - 1);
            canvas.drawLine(0, i * (Cell + 1), Side - 1, i * (Cell + 1));
        }
        canvas.setBrush(Qt::white);
        for (int col = 0; col < Cells; ++col) {
            for (int row = 0; row < Cells; ++row) {
                if (stones_[col * Cells + row]) {
                    canvas.drawEllipse(Square(col, row).adjusted(2, 2, -2, -2));
                }
            }
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        const int col = event->position().toPoint().x() / (Cell + 1);
        const int row = event->position().toPoint().y() / (Cell + 1);
        if (col < Cells && row < Cells && !stones_[col * Cells + row]) {
            stones_[col * Cells + row] = true;
            update(Square(col, row));
        }
    }

private:
    static QRect Square(int col, int row) {
        return {col * (Cell + 1) + 1, row * (Cell + 1) + 1, Cell, Cell};
    }

    std::array<bool, Cells * Cells> stones_{};
};

// A square that turns on and off at every tick.
class TFloorBlink : public QWidget {
public:
    explicit TFloorBlink(QWidget* parent) : QWidget(parent) {
        setGeometry(393, 73, 20, 20);
        auto* timer = new QTimer(this);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, [this] {
            lit_ = !lit_;
            update();
        });
        timer->start(100);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter canvas(this);
        canvas.fillRect(rect(), lit_ ? Qt::black : palette().color(QPalette::Window));
    }

private:
    bool lit_ = true;
};

// The time of day, shown anew as each second turns.
class TFloorClock : public QWidget {
public:
    explicit TFloorClock(QWidget* parent) : QWidget(parent) {
        setGeometry(409, 268, 128, 21);
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setSingleShot(true);
        connect(&timer_, &QTimer::timeout, this, [this] {
            update();
            Next();
        });
        Next();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter canvas(this);
        canvas.fillRect(rect(), Qt::black);
        canvas.setPen(Qt::green);
        canvas.drawText(rect(), Qt::AlignCenter, QTime::currentTime().toString("hh:mm:ss"));
    }

private:
    void Next() { timer_.start(1000 - QTime::currentTime().msec()); }
    QTimer timer_;
};

// Ten lines that rise a pixel a tick through a black panel, every 20 s.
class TFloorScroll : public QWidget {
public:
    explicit TFloorScroll(QWidget* parent) : QWidget(parent) {
        setGeometry(387, 305, 171, 82);
        step_.setTimerType(Qt::PreciseTimer);
        connect(&step_, &QTimer::timeout, this, [this] {
            if (++shift_ >= 9 * fontMetrics().height()) {
                step_.stop();
                shift_ = 0;
            }
            update(rect().adjusted(7, 4, -4, -4));
        });
        auto* cycle = new QTimer(this);
        connect(cycle, &QTimer::timeout, this, [this] { step_.start(30); });
        cycle->start(20000);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter canvas(this);
        canvas.fillRect(rect(), Qt::black);
        if (!step_.isActive()) {
            return;
        }
        canvas.setPen(Qt::white);
        const QRect text = rect().adjusted(7, 4, -4, -4);
        canvas.setClipRect(text);
        const int h = fontMetrics().height();
        for (int line = 0; line < 10; ++line) {
            canvas.drawText(
                QRect(text.left(), text.top() + (4 + line) * h - shift_, text.width(), h),
                Qt::AlignHCenter, QStringLiteral("line %1 of the comments").arg(line));
        }
    }

private:
    QTimer step_;
    int shift_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Rennor")); // the probe finds the window by this name
    auto* client = new QWidget(&window);
    client->setFixedSize(561, 406 - 17);
    new TFloorBoard(client);
    if (qEnvironmentVariableIsSet("RENNOR_FLOOR_SHOWS")) {
        new TFloorBlink(client);
        new TFloorClock(client);
        new TFloorScroll(client);
    }
    window.setCentralWidget(client);
    for (const char* menu : {"&Game", "&Options", "&Help"}) {
        window.menuBar()->addMenu(QString::fromUtf8(menu))->addAction(QStringLiteral("&Exit"));
    }
    window.statusBar()->showMessage(QStringLiteral("Think and make your move"));
    window.show();
    return QApplication::exec();
}

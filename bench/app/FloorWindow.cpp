// The floor of the toolkit's costs: a bare Qt Widgets window of the main window's size (a menu
// bar, a painted 19 x 19 board, a status bar, nothing else) where a click places a stone.
// bench/report measures it beside the program, so each cost reads as a ratio to what any window
// of this size pays.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>

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

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Rennor")); // the probe finds the window by this name
    auto* client = new QWidget(&window);
    client->setFixedSize(561, 406 - 17);
    new TFloorBoard(client);
    window.setCentralWidget(client);
    for (const char* menu : {"&Game", "&Options", "&Help"}) {
        window.menuBar()->addMenu(QString::fromUtf8(menu))->addAction(QStringLiteral("&Exit"));
    }
    window.statusBar()->showMessage(QStringLiteral("Think and make your move"));
    window.show();
    return QApplication::exec();
}

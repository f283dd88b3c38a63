// The board and its displays as the user meets them: repaints, the turn indicator and the
// cursor.
#include "WindowTestSupport.h"

#include "timing/SuperTimer.h"

#include <QAccessible>
#include <QPainter>

// Qt tells assistive technology nothing until a reader is present, and the offscreen platform
// never has one. These declare the toolkit's own switch (its private interface, stable through
// Qt 6) so that a test can stand in for the reader.
class QPlatformAccessibility {
public:
    void setActive(bool active);
};
class QPlatformIntegration {
public:
    QPlatformAccessibility* accessibility() const;
};
class QGuiApplicationPrivate {
public:
    static QPlatformIntegration* platform_integration;
};

namespace {

// While it lives, every accessibility event of the program is recorded instead of sent, as a
// screen reader connected to it would hear it.
class THeard {
public:
    THeard() { Listen(this); }
    ~THeard() { Listen(nullptr); }
    // How many events of this type (or of any type) were told about this object.
    int Count(const QObject* object, int type = -1) const {
        return int(std::count_if(Events.begin(), Events.end(), [&](const auto& e) {
            return e.first == object && (type < 0 || e.second == type);
        }));
    }

private:
    static void Listen(THeard* heard) {
        static THeard* current = nullptr;
        current = heard;
        QGuiApplicationPrivate::platform_integration->accessibility()->setActive(heard != nullptr);
        const QAccessible::UpdateHandler record = [](QAccessibleEvent* e) {
            current->Events.emplace_back(e->object(), e->type());
        };
        QAccessible::installUpdateHandler(heard == nullptr ? nullptr : record);
    }
    std::vector<std::pair<const QObject*, int>> Events;
};

using BoardWindowTest = WindowTest;

// The cursor shows the colour to move once the pointer moves (the readout is in the pictures).
TEST_F(BoardWindowTest, TheCursorShowsTheColourToMove) {
    StartWith({{"HUMAN vs HUMAN", "1"}});
    const auto cursor = [this] { return Grid().cursor().pixmap().toImage(); };
    EXPECT_EQ(Grid().cursor().shape(), Qt::PointingHandCursor); // until the pointer moves
    QTest::mouseMove(&Grid(), SquareCentre(7, 12));
    EXPECT_TRUE(cursor() == Form->WhiteCursor.pixmap().toImage());
    Click(4, 3);
    EXPECT_TRUE(cursor() == Form->WhiteCursor.pixmap().toImage()); // unchanged until it moves
    QTest::mouseMove(&Grid(), SquareCentre(6, 4));
    EXPECT_TRUE(cursor() == Form->BlackCursor.pixmap().toImage() &&
                cursor() != Form->WhiteCursor.pixmap().toImage());
}

TEST_F(BoardWindowTest, AMoveAgainstTheComputerPaintsOnlyTheSquaresItChanges) {
    Start();
    QStringList painted;
    Grid().SetOnDrawCell([&, paint = Grid().OnDrawCell()](TRxDrawGrid& g, QPainter& c, int col,
                                                          int row, const QRect& r,
                                                          TGridDrawState s) {
        painted << QStringLiteral("%1,%2").arg(col + 1).arg(row + 1);
        paint(g, c, col, row, r, s);
    });
    QApplication::processEvents(); // the grid repaints itself for its new handler
    painted.clear();
    Click(5, 4);
    QApplication::processEvents();
    // The human's stone, then the highlight moves to the answer.
    EXPECT_EQ(painted,
              QStringList(
                  {"5,4", "5,4", QStringLiteral("%1,%2").arg(Game.LastMoveX).arg(Game.LastMoveY)}));
}

// A screen reader hears whose turn it is when that changes, never the blink, and reads the
// clock when it asks: a ticking clock tells it nothing. The blink's timer rests while the game
// is over and a move wakes it.
TEST_F(BoardWindowTest, TheStoneToMoveBlinksBothStandOnceTheGameIsOverAndAReaderHearsOnlyTurns) {
    Start();                             // white to move
    Form->BlinkTimer->SetEnabled(false); // the ticks below are the only ones
    QApplication::processEvents();
    do {
        Form->BlinkTimerTimer();
    } while (!Form->NoughtImage->Lit());
    THeard heard;
    QStringList seen;
    const auto tick = [&] {
        Form->BlinkTimerTimer();
        seen << QString(Form->NoughtImage->Lit() ? "W" : "-") +
                    (Form->CrossImage->Lit() ? "B" : "-");
    };
    const auto name = [](QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    };
    tick(), tick(), tick();
    seen << name(Form->NoughtImage);
    Click(5, 5);
    const bool woken = Form->BlinkTimer->Enabled(); // a move wakes the timer
    Form->BlinkTimer->SetEnabled(false);
    Game.ColorToMove = BlackStone;
    tick(), tick();
    seen << name(Form->NoughtImage) + ", " + name(Form->CrossImage);
    Game.FiveMade = true;
    Form->BlinkTimer->SetEnabled(true);
    tick(); // both stones stand: nothing changes, the timer rests
    seen << QString::number(woken) + QString::number(Form->BlinkTimer->Enabled());
    Form->ShowTimeElapsed(EncodeTime(0, 1, 7));
    EXPECT_EQ(seen.join(' '), "-B WB -B White stones: to move W- WB White stones, Black stones: "
                              "to move WB 10");
    EXPECT_EQ(Line(heard.Count(Form->NoughtImage), heard.Count(Form->CrossImage),
                   heard.Count(Form->CrossImage, QAccessible::NameChanged),
                   heard.Count(Form->TimeElapsed), name(Form->TimeElapsed)),
              "1 2 2 0 Time elapsed: 00:01:07");
}

} // namespace

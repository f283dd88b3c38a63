// The board by keyboard and for screen readers: the focus square moved by the arrows and edge
// keys, Space and Enter playing, the Menu key rating, the board read as a table of named squares
// with the news of each move, and a name on every control of every window.
#include "WindowTestSupport.h"

#include "help/HelpEngine.h"
#include "help/HelpWindow.h"
#include "ui/AboutForm.h"
#include "ui/ExitForm.h"
#include "widgets/SecretPanel.h"

#include <QAccessible>

namespace {

QAccessibleInterface* Of(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

QString Name(QAccessibleInterface* iface) {
    return iface != nullptr ? iface->text(QAccessible::Name) : QStringLiteral("(none)");
}

// The controls of window (its widgets and their parts, such as the pages' tabs) without a name.
QStringList Unnamed(QWidget* window) {
    using enum QAccessible::Role; // the controls a user works with, which a reader must name
    const QList<QAccessible::Role> controls = {PushButton,   CheckBox, RadioButton, Slider,
                                               EditableText, ComboBox, PageTab,     Table,
                                               Tree,         List,     ButtonMenu};
    QStringList unnamed;
    QList<QAccessibleInterface*> pending{Of(window)};
    while (!pending.isEmpty()) {
        QAccessibleInterface* iface = pending.takeLast();
        const bool shown = !iface->state().invisible; // the hidden "no choice" button is not
        if (shown && controls.contains(iface->role()) &&
            iface->text(QAccessible::Name).trimmed().isEmpty()) {
            const QObject* object = iface->object();
            unnamed << QStringLiteral("%1 %2 of %3")
                           .arg(object ? object->metaObject()->className() : "part",
                                object ? object->objectName() : QString(),
                                window->metaObject()->className());
        }
        if (iface->role() != QAccessible::Table) { // a board's cells are read by the test below
            for (int i = 0; i < iface->childCount(); ++i) {
                pending << iface->child(i);
            }
        }
    }
    return unnamed;
}

class KeyboardWindowTest : public WindowTest {
protected:
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&Grid(), key, modifiers);
    }
    // The focus square as "X:Y", the way the readout and the screen reader give squares.
    static QString XY(int X, int Y) {
        return QStringLiteral("%1:%2").arg(X, 2, 10, QChar('0')).arg(Y, 2, 10, QChar('0'));
    }
    QString Focus() const { return XY(Grid().FocusCol() + 1, Grid().FocusRow() + 1); }
    // The focus square's frame: the pixels of its ring and inside.
    QString Frame(int X, int Y) const {
        const QImage board = Board();
        return Line(Pixel(board, X, Y, 1, 1), Pixel(board, X, Y, 2, 2));
    }
};

// Keys play and rate the focus square, a screen reader hears each move, and the arrows and edge
// keys move the square within the board with the readout following.
TEST_F(KeyboardWindowTest, KeysPlayRateAndMoveTheFocusSquareAndAScreenReaderHearsEachMove) {
    Start();
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    ASSERT_TRUE(Grid().hasFocus());
    QAccessibleTableInterface* table = Of(&Grid())->tableInterface();
    ASSERT_NE(table, nullptr);
    const auto cell = [&](int X, int Y) { return table->cellAt(Y - 1, X - 1); };
    EXPECT_EQ(Frame(10, 10), "808080 808080"); // focused at start-up, but no frame yet
    Key(Qt::Key_Space);                        // played and answered, as a click is
    const QString answer = XY(Game.LastMoveX, Game.LastMoveY);
    EXPECT_EQ(Line(MovesMade().left(6), Frame(10, 10), Pixel(Board(), 10, 10, 9, 9)),
              "W10,10 ffffff 000000 00ffff");
    EXPECT_EQ(Name(cell(10, 10)), "10:10, white stone. black " + answer);
    Key(Qt::Key_Return); // occupied: nothing, as for a click
    Key(Qt::Key_Up);
    EXPECT_EQ(Line(Name(cell(10, 10)), Of(&Grid())->focusChild() == cell(10, 9),
                   cell(10, 10)->state().focused, cell(10, 9)->state().focused),
              "10:10, white stone true 0 1"); // the news is read once

    QStringList rated; // the Menu key and Shift+F10 open the rating over the square
    for (auto modifiers : {Qt::NoModifier, Qt::ShiftModifier}) {
        Key(modifiers == Qt::NoModifier ? Qt::Key_Menu : Qt::Key_F10, modifiers);
        const QPoint at = Items().PopupMenu1->pos() - Grid().mapToGlobal(SquareCentre(10, 9));
        rated << Line(Items().PopupMenu1->isVisible(), Items().XYPercent->text().endsWith('%'),
                      at.manhattanLength() <= 2);
        Items().PopupMenu1->close();
    }
    EXPECT_EQ(Line(rated.join(' '), Play.CommentsUsedCount, Game.MoveCount),
              "true true true true true true 2 2");
    EXPECT_EQ(Name(cell(10, 9)), "10:09, empty. 10:09 rates " + Items().XYPercent->text());
    EXPECT_EQ(Line(Name(Of(Form->MovesDone)), "/", Name(Of(Form->DigitalCoordinates))),
              "Moves done: 2 / Coordinates: 10:09");
    EXPECT_TRUE(Name(Of(Form->CommentPanel)).startsWith("Comments: Press right mouse button"));

    Key(Qt::Key_Enter);
    EXPECT_EQ(Line(MovesMade().section(' ', 2, 2), Game.MoveCount, Frame(10, 10)),
              "W10,9 4 808080 808080"); // the frame left with the square
    Click(3, 3);                        // the mouse takes the square along and hides the frame
    QStringList seen{Line(Focus(), Frame(3, 3).right(6))};
    for (Qt::Key key :
         {Qt::Key_Right, Qt::Key_Down, Qt::Key_Home, Qt::Key_Left, Qt::Key_PageUp, Qt::Key_Up,
          Qt::Key_End, Qt::Key_Right, Qt::Key_PageDown, Qt::Key_Down, Qt::Key_Up}) {
        Key(key);
        seen << Focus() + (Form->DigitalCoordinates->ShownText() == Focus() ? "" : "?");
    }
    EXPECT_EQ(seen.join(' '), "03:03 808080 04:03 04:04 01:04 01:04 01:01 01:01 19:01 19:01 19:19 "
                              "19:19 19:18");
}

TEST_F(KeyboardWindowTest, EveryControlOfEveryWindowHasAName) {
    Start();
    Form->Help->ShowContents();
    TAboutForm about(Form.get());
    TExitForm exit(Form.get());
    TWinnerForm winner(nullptr, Form.get());
    for (QWidget* window : std::initializer_list<QWidget*>{Form.get(), Options.get(), &about, &exit,
                                                           &winner, Form->Help->Window()}) {
        EXPECT_EQ(Unnamed(window).join("; "), "");
    }
}

} // namespace

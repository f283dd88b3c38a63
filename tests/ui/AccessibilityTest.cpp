// What assistive technology reads: the board as a table of named squares with the focus square
// focused and the news on it, the displays with their values, and a name on every control.
#include "MainFormTestSupport.h"

#include "help/HelpEngine.h"
#include "help/HelpWindow.h"
#include "ui/AboutForm.h"
#include "ui/ExitForm.h"
#include "ui/ShowWinner.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QRegularExpression>

namespace {

QAccessibleInterface* Of(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

QString Name(QAccessibleInterface* iface) {
    return iface != nullptr ? iface->text(QAccessible::Name) : QStringLiteral("(none)");
}

// Controls a user works with, which a screen reader must be able to name.
bool IsControl(QAccessible::Role role) {
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::Slider:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::PageTab:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::List:
    case QAccessible::ButtonMenu:
        return true;
    default:
        return false;
    }
}

// The controls of window (its widgets and their parts, such as the pages' tabs) without a name.
QStringList Unnamed(QWidget* window) {
    QStringList unnamed;
    QList<QAccessibleInterface*> pending{Of(window)};
    while (!pending.isEmpty()) {
        QAccessibleInterface* iface = pending.takeLast();
        const bool shown = !iface->state().invisible; // the hidden "no choice" button is not
        if (shown && IsControl(iface->role()) &&
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

TEST_F(MainFormTest, TheBoardReadsAsATableOfSquaresWithTheFocusSquareAndTheNews) {
    Start();
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    QAccessibleInterface* board = Of(&Grid());
    ASSERT_EQ(board->role(), QAccessible::Table);
    EXPECT_EQ(Name(board), QStringLiteral("Board"));
    QAccessibleTableInterface* table = board->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 19);
    EXPECT_EQ(table->columnCount(), 19);
    EXPECT_EQ(board->childCount(), 361);
    const auto cell = [&](int X, int Y) { return table->cellAt(Y - 1, X - 1); };
    EXPECT_EQ(Name(cell(10, 11)), QStringLiteral("10:11, empty"));
    EXPECT_EQ(cell(19, 18)->tableCellInterface()->columnIndex(), 18);
    EXPECT_EQ(board->indexOfChild(cell(2, 3)), 2 * 19 + 1);
    EXPECT_EQ(board->focusChild(), cell(10, 10));
    EXPECT_TRUE(cell(10, 10)->state().focused);

    QTest::keyClick(&Grid(), Qt::Key_Space);
    const QString answer = QStringLiteral("%1:%2")
                               .arg(Game.LastMoveX, 2, 10, QLatin1Char('0'))
                               .arg(Game.LastMoveY, 2, 10, QLatin1Char('0'));
    EXPECT_EQ(Name(cell(10, 10)), QStringLiteral("10:10, white stone. black ") + answer);
    EXPECT_EQ(Name(cell(Game.LastMoveX, Game.LastMoveY)), answer + ", black stone, last move");

    QTest::keyClick(&Grid(), Qt::Key_Up);
    EXPECT_EQ(Name(cell(10, 10)), QStringLiteral("10:10, white stone")); // the news is read
    EXPECT_EQ(board->focusChild(), cell(10, 9));
    EXPECT_FALSE(cell(10, 10)->state().focused);
    EXPECT_TRUE(cell(10, 9)->state().focused);
    QTest::keyClick(&Grid(), Qt::Key_Menu);
    Form->Menu.PopupMenu1->close();
    EXPECT_EQ(Name(cell(10, 9)), "10:09, empty. 10:09 rates " + Form->Menu.XYPercent->text());
    EXPECT_EQ(Name(Of(Form->MovesDone)), QStringLiteral("Moves done: 2"));
    EXPECT_EQ(Name(Of(Form->DigitalCoordinates)), QStringLiteral("Coordinates: 10:09"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Time elapsed: 00:00:0\\d$"))
                    .match(Name(Of(Form->TimeElapsed)))
                    .hasMatch());
    EXPECT_TRUE(Name(Of(Form->CommentPanel)).startsWith("Comments: Press right mouse button"));
}

TEST_F(MainFormTest, EveryControlOfEveryWindowHasAName) {
    Start();
    Form->Help->ShowContents();
    TAboutForm about(Form.get());
    TExitForm exit(Form.get());
    TWinnerForm winner(nullptr, Form.get());
    QWidget* windows[] = {Form.get(), Options.get(), &about, &exit, &winner, Form->Help->Window()};
    for (QWidget* window : windows) {
        EXPECT_EQ(Unnamed(window).join(QStringLiteral("; ")).toStdString(), "");
    }
}

} // namespace

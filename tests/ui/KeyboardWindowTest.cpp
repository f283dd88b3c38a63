// The keys: every key the help names, in one table; the focus square's frame, the Menu key's
// rating over its square, the board read as a table of named squares with the news of each
// move, and a name on every control of every window.
#include "WindowTestSupport.h"

#include "help/HelpEngine.h"
#include "help/HelpWindow.h"
#include "ui/AboutForm.h"
#include "ui/ExitForm.h"
#include "widgets/SecretPanel.h"

#include <QAccessible>
#include <QFile>
#include <QRegularExpression>

namespace {

const auto Of = [](QObject* object) { return QAccessible::queryAccessibleInterface(object); };

const auto Name = [](QAccessibleInterface* i) { return i ? i->text(QAccessible::Name) : "(none)"; };

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
    static QString XY(int X, int Y) { return QString::asprintf("%02d:%02d", X, Y); }
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
                   cell(10, 10)->state().focused, cell(10, 9)->state().focused,
                   cell(10, 9)->state().focusable),
              "10:10, white stone true 0 1 1"); // the news is read once

    Key(Qt::Key_Menu); // the rating over the square (Shift+F10 is in the table of keys)
    const QPoint at = Items().PopupMenu1->pos() - Grid().mapToGlobal(SquareCentre(10, 9));
    EXPECT_EQ(Line(Items().PopupMenu1->isVisible(), Items().XYPercent->text().endsWith('%'),
                   at.manhattanLength() <= 2, Play.CommentsUsedCount, Game.MoveCount),
              "true true true 1 2");
    Items().PopupMenu1->close();
    EXPECT_EQ(Name(cell(10, 9)), "10:09, empty. 10:09 rates " + Items().XYPercent->text());
    EXPECT_EQ(Line(Name(Of(Form->MovesDone)), "/", Name(Of(Form->DigitalCoordinates))),
              "Moves done: 2 / Coordinates: 10:09");
    EXPECT_TRUE(Name(Of(Form->CommentPanel)).startsWith("Comments: Press right mouse button"));

    Key(Qt::Key_Enter);
    EXPECT_EQ(Line(MovesMade().section(' ', 2, 2), Game.MoveCount, Frame(10, 10)),
              "W10,9 4 808080 808080"); // the frame left with the square
    Click(3, 3);                        // the mouse takes the square along and hides the frame
    EXPECT_EQ(Line(Focus(), Frame(3, 3).right(6)), "03:03 808080");
}

// Every key the help's keyboard page names, pressed where the user presses it, after a first
// move on 10,10: the game, the focus square, the file dialogs, help and rating shown, and what a
// dialog opened by the key (or named in the row) did with the dialog key. '*' is any text.
TEST_F(KeyboardWindowTest, EveryKeyTheHelpNamesDoesWhatItSays) {
    struct TRow {
        const char* named; // as on the help page
        const char* keys;  // pressed on the board, or the dialog to open
        const char* dialogKey;
        const char* seen;
    };
    const TRow rows[] = {
        {"N", "N", "", "0 0 0 W undo 0 hints 0 URAPH asked 1 reports 0 10:10 - false false -"},
        {"L", "L", "", "2 2 2 W * 10:10 Load saved game from: false false -"},
        {"S", "S", "", "2 2 2 W * 10:10 Save current game to: false false -"},
        {"O", "O", "Esc", "2 2 2 W * 10:10 - false false TOptionsForm 0 SOUND=0"},
        {"Enter is the same as OK", "O", "Return", "* TOptionsForm 1 SOUND=1"},
        {"A", "A", "", "0 0 0 W undo 0 hints 0 --APH asked 2 reports 0 * auto"},
        {"R", "R", "", "2 2 2 W undo 0 hints 0 URAPH asked 0 reports 0 10:10 - false false -"},
        {"W", "W", "", "3 3 3 B undo 0 hints 0 URAPH asked 0 reports 0 *"},
        {"H", "H", "", "2 2 2 W undo 0 hints 1 URAPH asked 0 reports 0 10:10 - false false -"},
        {"Backspace", "Backspace", "", "0 0 0 W undo 1 hints 0 URAPH asked 0 reports 0 *"},
        {"Alt+Backspace", "Backspace, Alt+Backspace", "", "2 2 2 W undo 2 hints 0 URAPH *"},
        {"Arrows", "Up, Left, Left, Down", "", "2 2 2 W * 08:10 - false false -"},
        {"Home", "Home, Left", "", "* 01:10 - false false -"},
        {"End", "End, Right", "", "* 19:10 - false false -"},
        {"Page Up", "PgUp, Up", "", "* 10:01 - false false -"},
        {"Page Down", "PgDown, Down", "", "* 10:19 - false false -"},
        {"Space", "Up, Space", "", "4 4 4 W * 10:09 - false false -"},
        {"Enter", "Down, Enter", "", "4 4 4 W * 10:11 - false false -"},
        {"Menu", "Up, Menu", "", "2 2 2 W * 10:09 - false true -"},
        {"Shift+F10", "Up, Shift+F10", "", "2 2 2 W * 10:09 - false true -"},
        {"F1", "F1", "", "2 2 2 W * 10:10 - true false -"},
        {"Y", "Y", "", "2 2 2 W * 10:10 - false false analyse"},
        {"V", "V", "Esc", "2 2 2 over * 10:10 - false false TReviewForm"},
        {"the Game Over window", "Game Over", "Esc", "* TWinnerForm 0"},
        {"the About box, Esc closes", "About", "Esc", "* TAboutForm 0"},
        {"In the exit confirmation, Enter answers", "Exit", "Return", "* TExitForm 1"},
    };
    QStringList named, missing;
    for (const TRow& row : rows) {
        StartWith({{"AUTOPLAY SPEED", "0"}, {"REPLAY SPEED", "0"}});
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
        Do("10,10");
        const QString keys = row.keys;
        Game.FiveMade = keys == "R" || keys == "V"; // a finished game to replay or review
        Items().Review1->setEnabled(Game.FiveMade); // as the end of a game leaves it
        QString dialog = "-";
        QTimer::singleShot(0, [&] { // in the loop the key started, if any
            if (QWidget* shown = QApplication::activeModalWidget()) {
                if (QByteArray(row.keys) == "O") { // the focus on a button, which Enter leaves
                    Do("SoundCheckBox");
                    ShowOptions("Preferences");
                    Control("BoardColorBtn")->setFocus();
                }
                QTest::keySequence(shown, QKeySequence::fromString(row.dialogKey));
                dialog = shown->metaObject()->className();
            } else if (Play.AutoPlaying) { // stopped by a new game at its first pause
                dialog = "auto";
                QTest::keyClick(&Grid(), Qt::Key_N);
            }
        });
        if (keys == "About" || keys == "Exit" || keys == "Game Over") {
            const std::unique_ptr<QDialog> box(
                keys == "About"  ? static_cast<QDialog*>(new TAboutForm(Form.get()))
                : keys == "Exit" ? static_cast<QDialog*>(new TExitForm(Form.get()))
                                 : new TWinnerForm(nullptr, Form.get()));
            dialog += ' ' + QString::number(box->exec());
        } else {
            QTest::keySequence(&Grid(), QKeySequence::fromString(keys));
        }
        if (QByteArray(row.keys) == "O") {
            dialog += " " + QString::number(Options->result()) + " SOUND=" + Stored("SOUND");
        } else if (Items().Analyse1->isChecked()) {
            dialog = "analyse";
            Items().Analyse1->trigger(); // off again, so the next row starts without it
        }
        const QString seen =
            Line(State(), Focus(), Ports->FileDialogTitles.value(0, "-"),
                 Form->Help->IsWindowVisible(), Items().PopupMenu1->isVisible(), dialog);
        Items().PopupMenu1->close();
        const QString pattern = QRegularExpression::escape(row.seen).replace("\\*", ".*");
        EXPECT_TRUE(
            QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(seen).hasMatch())
            << row.named << ": " << seen.toStdString();
        named << row.named;
    }
    // Each key the page names has its row.
    QFile file(":/Rennor.hlp/keys.html");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    for (const auto& bold : QRegularExpression("<td><b>(.*?)</b>").globalMatch(page)) {
        for (const QString& key : bold.captured(1).split(", ")) {
            missing << (named.contains(key) ? "" : key);
        }
    }
    EXPECT_EQ(missing.join("").toStdString(), "");
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

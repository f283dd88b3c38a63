// The board by keyboard: the focus square, its frame, the edges, Space and Enter playing and the
// Menu key rating, with the coordinate readout following the square.
#include "MainFormTestSupport.h"

#include <QAction>
#include <QMenu>

namespace {

class BoardKeysTest : public MainFormTest {
protected:
    void StartFocused() {
        Start();
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
        ASSERT_TRUE(Grid().hasFocus());
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&Grid(), key, modifiers);
    }
    QPoint Focus() const { return {Grid().FocusCol() + 1, Grid().FocusRow() + 1}; }
    QString Readout() const { return Form->DigitalCoordinates->ShownText(); }
};

TEST_F(BoardKeysTest, ArrowsAndEdgeKeysMoveTheSquareWithinTheBoardAndTheReadoutFollows) {
    StartFocused();
    EXPECT_EQ(Focus(), QPoint(10, 10));
    const std::pair<Qt::Key, QPoint> steps[] = {
        {Qt::Key_Right, {11, 10}}, {Qt::Key_Down, {11, 11}}, {Qt::Key_Home, {1, 11}},
        {Qt::Key_Left, {1, 11}},   {Qt::Key_PageUp, {1, 1}}, {Qt::Key_Up, {1, 1}},
        {Qt::Key_End, {19, 1}},    {Qt::Key_Right, {19, 1}}, {Qt::Key_PageDown, {19, 19}},
        {Qt::Key_Down, {19, 19}},  {Qt::Key_Up, {19, 18}},
    };
    for (const auto& [key, square] : steps) {
        Key(key);
        EXPECT_EQ(Focus(), square) << key;
        EXPECT_EQ(Readout(), QStringLiteral("%1:%2")
                                 .arg(square.x(), 2, 10, QLatin1Char('0'))
                                 .arg(square.y(), 2, 10, QLatin1Char('0')));
    }
}

TEST_F(BoardKeysTest, SpaceAndEnterPlayLikeAClickAndTheFrameShowsOnlyAfterKeys) {
    StartFocused();
    const QColor grey(128, 128, 128);
    EXPECT_EQ(SquarePixel(Board(), 10, 10, 1, 1), grey); // focus at start-up, but no frame yet
    Key(Qt::Key_Space);
    EXPECT_EQ(Game.Board[10][10], WhiteStone);
    EXPECT_EQ(Game.MoveCount, 2); // answered, as a click is
    QImage board = Board();
    EXPECT_EQ(SquarePixel(board, 10, 10, 1, 1), QColor(Qt::white));
    EXPECT_EQ(SquarePixel(board, 10, 10, 2, 2), QColor(Qt::black));
    EXPECT_EQ(SquarePixel(board, 10, 10, 9, 9), QColor(0, 255, 255)); // the stone, untouched
    Key(Qt::Key_Return); // occupied: nothing, as for a click
    EXPECT_EQ(Game.MoveCount, 2);
    Key(Qt::Key_Left);
    Key(Qt::Key_Enter);
    EXPECT_EQ(Game.Board[9][10], WhiteStone);
    EXPECT_EQ(Game.MoveCount, 4);
    EXPECT_EQ(SquarePixel(Board(), 10, 10, 1, 1), grey); // the frame left with the square

    Click(3, 3); // the mouse takes the square along and hides the frame
    EXPECT_EQ(Focus(), QPoint(3, 3));
    EXPECT_EQ(SquarePixel(Board(), 3, 3, 2, 2), grey);
}

TEST_F(BoardKeysTest, MenuKeyAndShiftF10RateTheFocusSquareAsARightClickDoes) {
    StartFocused();
    Key(Qt::Key_Menu);
    EXPECT_TRUE(Form->Menu.PopupMenu1->isVisible());
    EXPECT_TRUE(Form->Menu.XYPercent->text().endsWith(QLatin1Char('%')));
    const QPoint at = Form->Menu.PopupMenu1->pos() - Grid().mapToGlobal(SquareCentre(10, 10));
    EXPECT_LE(at.manhattanLength(), 2); // opened over the square, as for the mouse
    Form->Menu.PopupMenu1->close();
    Key(Qt::Key_Right);
    Key(Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(Form->Menu.PopupMenu1->isVisible());
    Form->Menu.PopupMenu1->close();
    EXPECT_EQ(Play.CommentsUsedCount, 2);
    EXPECT_EQ(Game.MoveCount, 0);
}

} // namespace

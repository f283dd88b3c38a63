// The rules page and a game under other rules in the real windows: the choices stored and read
// back, a 15 x 15 game by keys and clicks to its five, squares forbidden to black, records of
// other programs and the .rnr file.
#include "WindowTestSupport.h"

#include "game/GameRules.h"

#include <QAccessible>
#include <QFile>
#include <QRadioButton>

namespace {

class RulesWindowTest : public WindowTest {
protected:
    // The rules page: rule, opening, size, and the computer page's note on Rennor King.
    QString RulesShown() const {
        const TGameRules r = Options->RulesOnPage();
        return Line(RuleText(r.Rule), OpeningText(r.Opening), r.Size,
                    Control<QLabel>("Label10")->text());
    }
    // The board grid: squares a side, their size, its place and size.
    QString BoardShown() const {
        const QRect place = Grid().geometry();
        return Line(Grid().ShownCols(), Grid().ShownRows(), Grid().DefaultColWidth(), place.x(),
                    place.y(), place.width(), place.height());
    }
    void Mnemonic(char letter) const { QTest::keyClick(Options.get(), letter, Qt::AltModifier); }
    // A radio button's mnemonic clicks it the way a click is shown, once its press has shown.
    bool Choose(char letter, const char* radio) const {
        Mnemonic(letter);
        return QTest::qWaitFor([&] { return Control<QRadioButton>(radio)->isChecked(); });
    }
    void Key(Qt::Key key) const { QTest::keyClick(&Grid(), key); }
};

TEST_F(RulesWindowTest, TheRulesAreChosenByMnemonicsStoredWithOkAndReadBackFromTheStore) {
    Start();
    ShowOptions();
    Options->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Options.get()));
    QStringList seen{RulesShown(), BoardShown()};
    Mnemonic('r'); // the page
    seen << Control<QTabWidget>("OptionsControl")->currentWidget()->objectName();
    ASSERT_TRUE(Choose('j', "RenjuRadio"));
    ASSERT_TRUE(Choose('5', "SmallBoardRadio"));
    Mnemonic('e'); // the opening box takes the focus and the keys
    QTest::keyClick(Control("OpeningBox"), Qt::Key_Down);
    QTest::keyClick(Control("OpeningBox"), Qt::Key_Down);
    seen << RulesShown() << Line(Options->ChosenRules().Size, Stored("RULE"));
    Do("OKBtn"); // nothing was played: no question, a new game on the new board at once
    // Under Swap2 the first player places black first: the computer's name stands beside white.
    seen << StoredLike("RULE=, OPENING=, BOARD SIZE=") << BoardShown()
         << Line(Ports->Questions.size(), Form->MainName1->text());
    StartWith({{"RULE", "Standard"}, {"OPENING", "Swap"}, {"BOARD SIZE", "15"}});
    ShowOptions("Rules");
    seen << RulesShown() << BoardShown();
    StartWith({{"RULE", "Gomoku"}, {"OPENING", ""}, {"BOARD SIZE", "17"}});
    ShowOptions("Rules");
    seen << RulesShown();
    const QString king = "Rennor King always answers at once.";
    const QString emperor = "Rennor King plays only freestyle on 19 x 19 without an opening: "
                            "Rennor Emperor plays these rules in its place.";
    EXPECT_EQ(seen, QStringList({"Freestyle None 19 " + king, "19 19 19 -1 4 384 384", "Rules",
                                 "Renju Swap2 15 " + emperor, "19 ",
                                 "RULE=Renju, OPENING=Swap2, BOARD SIZE=15", "15 15 24 1 6 379 379",
                                 "0 Rennor Emperor", "Standard Swap 15 " + emperor,
                                 "15 15 24 1 6 379 379", "Freestyle None 19 " + king}));
}

TEST_F(RulesWindowTest, A15By15GameIsPlayedByKeysAndClicksToItsFiveWithinItsEdges) {
    StartWith({{"HUMAN vs HUMAN", "1"}, {"BOARD SIZE", "15"}});
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    QStringList seen{Line(Grid().FocusCol() + 1, Grid().FocusRow() + 1)};
    for (Qt::Key key : {Qt::Key_End, Qt::Key_Right, Qt::Key_PageDown, Qt::Key_Down}) {
        Key(key); // the keys stop at the last square
    }
    seen << Line(Grid().FocusCol() + 1, Grid().FocusRow() + 1);
    // White (the first player) plays 15..11 on row 15 by keys; black clicks down column 1, and
    // each click takes the focus square along.
    for (int i = 0; i < 5; ++i) {
        for (Qt::Key key : {Qt::Key_End, Qt::Key_PageDown}) {
            Key(key);
        }
        for (int k = 0; k < i; ++k) {
            Key(Qt::Key_Left);
        }
        Key(Qt::Key_Space);
        Click(1, i + 1); // the last click, after the five, is no move: the board is closed
    }
    const QImage board = Board(); // a black dot on each white stone of the five
    QStringList marks;
    for (int X : {10, 11, 15}) {
        marks << Pixel(board, X, 15, 12, 12);
    }
    seen << Ports->Reports << marks.join(' ') << Line(MovesMade().section(' ', 0, 2), State())
         << QAccessible::queryAccessibleInterface(&Grid())
                ->tableInterface()
                ->cellAt(14, 14)
                ->text(QAccessible::Name)
                .section('.', 0, 0);
    EXPECT_EQ(seen, QStringList({"8 8", "15 15", "Player 1: 9 0 0 0 No #00ffff/#000000 ----H",
                                 "808080 000000 000000",
                                 "W15,15 B1,1 W14,15 9 9 9 over undo 0 "
                                 "hints 0 --APH asked 0 reports 1",
                                 "15:15, white stone"}));
}

TEST_F(RulesWindowTest, UnderRenjuAForbiddenSquareIsCrossedNamedAndRefusedWhileBlackIsToMove) {
    StartWith({{"HUMAN vs HUMAN", "1"}, {"PLAYER1 COLOR", "0"}, {"RULE", "Renju"}});
    QAccessibleTableInterface* table =
        QAccessible::queryAccessibleInterface(&Grid())->tableInterface();
    const auto shown = [&] {
        QApplication::processEvents();
        const QImage board = Board();
        const int centre = Grid().DefaultColWidth() / 2;
        return Line(Stark(board.pixelColor(Grid().CellRect(2, 2).topLeft() + QPoint(9, 9))),
                    Pixel(board, 4, 4, centre, centre),
                    table->cellAt(2, 2)->text(QAccessible::Name).section('.', 0, 0));
    };
    // Black: 3,3 would be a double three; 5,8 six in a row. White plays apart.
    Do("4,3 10,10 5,3 10,12 3,4 12,10 3,5 12,12 1,8 14,14 2,8 10,14 3,8 14,10 4,8 16,16 6,8 16,12");
    QStringList seen{shown()};
    Do("3,3");
    Click(3, 3, Qt::RightButton);
    seen << Line(Game.MoveCount, Form->StatusBar->text(), Items().XYPercent->isVisible());
    Items().PopupMenu1->close();
    Do("5,8");
    seen << Line(Game.MoveCount, Form->StatusBar->text(), IsGameOver());
    Do("4,4"); // white to move: no square is forbidden to it
    seen << shown();
    Do("3,3");
    seen << MovesMade().section(' ', -2);
    EXPECT_EQ(seen, QStringList({"ff0000 808080 03:03, forbidden",
                                 "18 Forbidden to black: double three false",
                                 "18 Forbidden to black: overline false",
                                 "808080 000000 03:03, empty", "B4,4 W3,3"}));
}

TEST_F(RulesWindowTest, ARecordBringsItsRuleBoardAndPlayersNamesAndARefusedOneChangesNothing) {
    QTemporaryDir dir;
    // bad.sgf is refused: black's twice in a row.
    for (auto [name, text] :
         {std::pair{"ab.sgf", "(;GM[4]FF[4]SZ[15]RU[Renju]PB[Alice]PW[ Bob ];B[hh];W[ii])"},
          {"bad.sgf", "(;SZ[15]RU[Renju];B[aa];B[bb])"},
          {"c.psq", "Record 15x15, 11:11, 0\r\n8,8,0\r\n9,9,0\r\nCarol\r\n"}}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) > 0);
    }
    QStringList seen;
    const auto load = [&](const QString& steps) {
        for (const QString& file : steps.split(' ')) {
            File = dir.filePath(file);
            file == "N" ? Do(file) : Do("L");
        }
        seen << Line(Form->MainName1->text(), "/", Form->MainName2->text(),
                     RuleText(Play.Rules.Rule), Grid().ShownCols());
    };
    StartWith({{"HUMAN vs HUMAN", "1"}, {"1st NAME", "Ann"}});
    Do("5,5 6,6");
    File = dir.filePath("game.rnr");
    Do("S");
    ShowOptions("Rules");
    Do("SmallBoardRadio RenjuRadio OKBtn"); // a running game: asked, and Yes
    load("ab.sgf");
    File = dir.filePath("again.sgf"); // saved as they stand
    Do("S");
    load("game.rnr"); // freestyle on 19 again, and stored so
    ShowOptions("Rules");
    seen << Line(StoredLike("RULE=, BOARD SIZE="), RulesShown().section(' ', 0, 2),
                 Ports->Questions.size());
    Options->hide();
    load("bad.sgf");
    load("c.psq");
    load("N");
    load("again.sgf");
    StartWith({{"1st NAME", "Ann"}}); // against the computer the players are who play on
    load("ab.sgf");
    // A record's rule and board stay for the games after it, until an .rnr file; a refused
    // record changes nothing.
    EXPECT_EQ(seen, QStringList({"Bob / Alice Renju 15", "Ann / Player 2 Freestyle 19",
                                 "RULE=Freestyle, BOARD SIZE=19 Freestyle None 19 3",
                                 "Ann / Player 2 Freestyle 19", "Ann / Carol Freestyle 15",
                                 "Ann / Player 2 Freestyle 15", "Bob / Alice Renju 15",
                                 "Rennor Emperor / Ann Renju 15"}));
}

} // namespace

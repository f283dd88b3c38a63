// The main window's shell: layout, menus, hints, start-up with an empty store, centring, the
// exit confirmation.
#include "MainFormTestSupport.h"

#include "ui/BoardPainter.h"
#include "ui/ExitForm.h"
#include "ui/MainHints.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTimer>

namespace {

struct TItemSpec {
    QAction* TMainMenuItems::*Item;
    const char* Caption;
    QKeySequence Shortcut;
    int Context;
    const char* Hint;
};

TEST_F(MainFormTest, EveryMenuItemHasItsCaptionShortcutHelpContextAndHint) {
    Start();
    const TItemSpec items[] = {
        {&TMainMenuItems::NewGame1, "&New Game", Qt::Key_N, 9001, "Starts a new game"},
        {&TMainMenuItems::LoadGame1, "&Load Game", Qt::Key_L, 9002, "Loads saved game"},
        {&TMainMenuItems::SaveGame1, "&Save Game", Qt::Key_S, 9003, "Saves current game"},
        {&TMainMenuItems::Options1, "&Options...", Qt::Key_O, 9004, "Options dialog"},
        {&TMainMenuItems::AutoPlay1, "&Auto Play", Qt::Key_A, 9005, "Autoplay mode"},
        {&TMainMenuItems::Replay1, "Re&play", Qt::Key_R, 9006, "Replay mode"},
        {&TMainMenuItems::SwitchSides1, "S&witch Sides", Qt::Key_W, 9007,
         "Switch sides with computer"},
        {&TMainMenuItems::Hint1, "&Hint", Qt::Key_H, 9008, "Display a hint"},
        {&TMainMenuItems::Exit1, "E&xit", {}, 9010, "Exit Rennor"},
        {&TMainMenuItems::Undo1, "Undo", Qt::Key_Backspace, 9101, "Undo last move"},
        {&TMainMenuItems::Redo1, "Redo", Qt::ALT | Qt::Key_Backspace, 9102, "Redo move"},
        {&TMainMenuItems::HelpTopics1, "&Help Contents", Qt::Key_F1, 9001, "Display help topics"},
        {&TMainMenuItems::WhatsNew1, "&What's New?", {}, 9001, "What's new in this version"},
        {&TMainMenuItems::HelpOnHelp1, "&Using Help", {}, 9001, "Help on using Help"},
        {&TMainMenuItems::RennorontheWeb1, "&Rennor on the Web...", {}, 9001, "Visit our Web site"},
        {&TMainMenuItems::About1, "&About...", {}, 9001, "About Rennor..."},
    };
    for (const TItemSpec& row : items) {
        const QAction* item = Form->Menu.*row.Item;
        EXPECT_EQ(item->text(), QString::fromUtf8(row.Caption));
        EXPECT_EQ(item->shortcut(), row.Shortcut) << row.Caption;
        EXPECT_EQ(item->property("HelpContext").toInt(), row.Context) << row.Caption;
        EXPECT_EQ(item->statusTip(), QString::fromUtf8(row.Hint));
    }
    const auto layout = [](const QMenu* menu) {
        QStringList captions;
        for (const QAction* a : menu->actions()) {
            captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        return captions.join(QLatin1Char(' '));
    };
    EXPECT_EQ(layout(Form->Menu.Game1), "&New Game - &Load Game &Save Game - &Options... - &Auto "
                                        "Play Re&play S&witch Sides &Hint - E&xit");
    EXPECT_EQ(layout(Form->Menu.Edit1), "Undo Redo");
    EXPECT_EQ(layout(Form->Menu.Help1), "&Help Contents &What's New? &Using Help - &Rennor on the "
                                        "Web... - &About...");
    QStringList bar;
    for (const QAction* a : Form->menuBar()->actions()) {
        bar << a->text() + QLatin1Char('/') + a->statusTip() + QLatin1Char('/') +
                   QString::number(a->property("HelpContext").toInt());
    }
    EXPECT_EQ(bar, QStringList({"&Game/Game menu/9001", "&Controls/Controls menu/9101",
                                "&Help/Help menu/9001"}));
}

TEST_F(MainFormTest, SingleKeysRunTheirCommands) {
    Start();
    Click(5, 5);
    Scripted->ConfirmAnswers = {false};
    QTest::keyClick(Form.get(), Qt::Key_N);
    EXPECT_EQ(Scripted->Questions.size(), 1);
    EXPECT_EQ(Game.MoveCount, 2);
}

TEST_F(MainFormTest, TheClientAreaHoldsEveryControlWhereItBelongs) {
    Start();
    EXPECT_EQ(Form->centralWidget()->size(), QSize(561, 406));
    EXPECT_EQ(Form->size(), QSize(561, 406 + Form->menuBar()->height()));
    EXPECT_EQ(Grid().geometry(), QRect(-1, 4, 384, 384));
    EXPECT_TRUE(Grid().isVisible());
    EXPECT_EQ(Grid().ClientRect().size(), QSize(380, 380));
    EXPECT_EQ(Form->Panel1->geometry(), QRect(389, 4, 167, 48));
    EXPECT_EQ(Form->OptionsButton->geometry(), QRect(123, 3, 41, 42));
    EXPECT_EQ(Form->MovesDone->pos(), QPoint(509, 149));
    EXPECT_EQ(Form->TimeElapsed->pos(), QPoint(409, 269));
    EXPECT_EQ(Form->DigitalCoordinates->geometry(), QRect(431, 209, 75, 20));
    EXPECT_EQ(Form->StatusBar->geometry(), QRect(0, 389, 561, 17));
    EXPECT_EQ(Form->NoughtImage->geometry(), QRect(393, 74, 20, 20));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Rennor"));
    EXPECT_FALSE(Form->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(MainFormTest, TheStatusBarShowsTheLongPartOfTheCurrentHint) {
    Start();
    QStatusTipEvent tip(QStringLiteral("Short|The long part"));
    QApplication::sendEvent(Form->NewGameButton, &tip);
    EXPECT_EQ(Form->StatusBar->text(), QStringLiteral("The long part"));
    QStatusTipEvent board(Grid().statusTip());
    QApplication::sendEvent(&Grid(), &board);
    EXPECT_EQ(Form->StatusBar->text(),
              QStringLiteral("Think and make your move - not vice versa!"));
    // A dialog's hints reach the main window's status bar too.
    TExitForm exit;
    QStatusTipEvent yes(exit.Button1->statusTip());
    QApplication::sendEvent(exit.Button1, &yes);
    EXPECT_EQ(Form->StatusBar->text(), QStringLiteral(" Yes , BUT I'll Be Back !"));
    EXPECT_TRUE(exit.Button1->toolTip().isEmpty());
}

TEST_F(MainFormTest, FirstRunWithAnEmptyStoreShowsEveryDefault) {
    Raw().clear();
    Raw().sync();
    Start();
    EXPECT_TRUE(Options->MusicChecked());
    EXPECT_TRUE(Options->SoundChecked());
    EXPECT_TRUE(Options->HumanComputer());
    EXPECT_EQ(Options->WhoMovesFirstCaption(), QStringLiteral("1st Player is First"));
    EXPECT_TRUE(Options->WhitePlayerDown());
    EXPECT_EQ(Options->FirstPlayerLabel(), QStringLiteral("Player 1"));
    EXPECT_EQ(Options->SecondPlayerLabel(), QStringLiteral("Rennor King"));
    EXPECT_EQ(Form->MainName1->text(), QStringLiteral("Player 1")); // white
    EXPECT_EQ(Form->MainName2->text(), QStringLiteral("Rennor King"));
    EXPECT_EQ(Live.ADFactor, 4);
    EXPECT_EQ(Live.Randomness, 2);
    EXPECT_EQ(Live.AutoPlaySpeed, 9);
    EXPECT_EQ(Live.ReplaySpeed, 9);
    EXPECT_EQ(Live.BoardColor, 0x808080);
    EXPECT_EQ(Live.HintColor, 0x0000FF);
    EXPECT_EQ(Live.LastMoveColor, 0x00FF00);
    EXPECT_EQ(ValueFromColor(Grid().FixedColor()), 0x808080);
    EXPECT_EQ(Game.MoveCount, 0);
    EXPECT_EQ(Game.ColorToMove, WhiteStone);
    EXPECT_TRUE(Scripted->Errors.isEmpty());
}

TEST_F(MainFormTest, NamesFollowTheStoneColours) {
    Store("PLAYER1 COLOR", QStringLiteral("0"));
    Store("1st NAME", QStringLiteral("Ann"));
    Store("HUMAN vs HUMAN", QStringLiteral("1"));
    Store("2nd NAME", QString());
    Start();
    EXPECT_EQ(Form->MainName1->text(), QStringLiteral("Player 2")); // white: the second player
    EXPECT_EQ(Form->MainName2->text(), QStringLiteral("Ann"));
    EXPECT_EQ(Game.ColorToMove, BlackStone);
}

TEST_F(MainFormTest, ReturningFromADialogDoesNotStartAgain) {
    Start();
    Click(5, 5);
    Form->hide();
    Form->show();
    QApplication::processEvents();
    EXPECT_EQ(Game.MoveCount, 2);
}

TEST_F(MainFormTest, TheCommentTimerStartsTheCommentPanel) {
    Start();
    Form->CommentTimerTimer();
    EXPECT_TRUE(Form->CommentPanel->Active());
}

TEST(MainWindowPlacementTest, CentredLeavingRoomForTheTaskBarNeverAboveTheScreen) {
    EXPECT_EQ(MainWindowPosition({1024, 768}, {561, 425}), QPoint(232, 157));
    EXPECT_EQ(MainWindowPosition({1025, 769}, {563, 427}), QPoint(230, 156)); // halves to even
    EXPECT_EQ(MainWindowPosition({800, 440}, {561, 425}), QPoint(120, 0));
    EXPECT_EQ(CentredOnScreen({1024, 768}, {273, 160}), QPoint(376, 304));
}

TEST(ExitFormTest, EnterConfirmsAtOnceAndEscapeDoesNothing) {
    TExitForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Exit Confirmation:"));
    EXPECT_EQ(form.Label1->text(), QStringLiteral("Do you really want to exit ?"));
    EXPECT_EQ(form.Button1->text(), QStringLiteral("&Yes"));
    EXPECT_EQ(form.Button2->text(), QStringLiteral("&Cancel"));
    QTimer::singleShot(0, &form, [&] {
        QTest::keyClick(&form, Qt::Key_Escape);
        EXPECT_TRUE(form.isVisible());
        QTest::keyClick(form.focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(form.exec(), QDialog::Accepted);

    TExitForm again;
    QTimer::singleShot(0, &again, [&] { again.Button2->click(); });
    EXPECT_EQ(again.exec(), QDialog::Rejected);
}

} // namespace

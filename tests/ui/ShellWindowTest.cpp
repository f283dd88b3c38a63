// The main window's shell: its menus and keys, hints on the status bar, help by context number,
// menu item and control, the about box, the exit confirmation and the web page.
#include "WindowTestSupport.h"

#include "HelpTestSupport.h"
#include "help/HelpEngine.h"
#include "help/HelpWindow.h"
#include "ui/AboutForm.h"
#include "ui/ExitForm.h"
#include "ui/ProductAddresses.h"

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUrl>
#include <QWhatsThis>

namespace {

class ShellWindowTest : public WindowTest {
protected:
    void TearDown() override {
        QWhatsThis::hideText();
        WindowTest::TearDown();
    }
    THelpWindow* Help() const { return Form->Help->Window(); }
    // The hint an event for this tip leaves on the status bar.
    QString Hint(QWidget* widget, const QString& tip) const {
        QStatusTipEvent event(tip);
        QApplication::sendEvent(widget, &event);
        return Form->StatusBar->text();
    }
    // The size of the pop-up of a context number, which is laid out around its own text.
    QSize PopupSizeOf(int context) const {
        const THelpFile& file = Form->Help->File();
        QWhatsThis::showText({100, 100}, file.PopupHtml(file.ContextFile(context)));
        const QSize size = VisiblePopup() ? VisiblePopup()->size() : QSize();
        QWhatsThis::hideText();
        QApplication::processEvents();
        return size;
    }
    // The options dialog shown without its modal loop, on page.
    QWidget* OptionsControl(const char* page, const char* name) const {
        Options->show();
        Control<QTabWidget>("OptionsControl")->setCurrentWidget(Control(page));
        return Control(name);
    }
};

TEST_F(ShellWindowTest, TheBoardStandsBesideTheToolsAndHintsReachTheStatusBar) {
    Start();
    EXPECT_EQ(Line(Grid().y(), Grid().geometry().right() < Form->Panel1->x()),
              Line(Form->Panel1->y(), true)); // level with the tool panel, left of it
    TExitForm exit;
    EXPECT_EQ(QStringList({Hint(Form->NewGameButton, "Short|The long part"),
                           Hint(Form->menuBar(), Items().NewGame1->statusTip()),
                           Hint(exit.Button1, exit.Button1->statusTip())}),
              QStringList({"The long part", "Starts a new game", " Yes , BUT I'll Be Back !"}));
    EXPECT_TRUE(exit.Button1->toolTip().isEmpty());
}

TEST_F(ShellWindowTest, EveryContextNumberMenuItemAndF1OpensItsTopic) {
    Start();
    QList<int> shown;
    for (int context : ProgramContexts) {
        Form->ShowHelpContext(context);
        shown << (Form->Help->IsWindowVisible() ? Help()->CurrentContext() : 0);
    }
    EXPECT_EQ(shown, ProgramContexts);
    Items().HelpOnHelp1->trigger();
    EXPECT_EQ(Help()->CurrentFile(), "helponhelp.html");
    Items().WhatsNew1->trigger();
    EXPECT_EQ(Help()->CurrentContext(), 5003);
    Help()->ShowIndexPage(); // the contents come forward over the topic shown
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    QTest::keyClick(Form.get(), Qt::Key_F1);
    EXPECT_TRUE(Help()->ContentsTree()->isVisible());

    // F1 on a highlighted item shows its topic and runs nothing; each topic differs from the one
    // before, so the contents that F1 alone brings forward cannot pass for it.
    using M = TMainMenuItems;
    QStringList wrong;
    for (auto [item, context] :
         std::initializer_list<std::pair<QAction * M::*, int>>{{&M::LoadGame1, 9002},
                                                               {&M::NewGame1, 9001},
                                                               {&M::SaveGame1, 9003},
                                                               {&M::HelpTopics1, 9001},
                                                               {&M::Options1, 9004},
                                                               {&M::WhatsNew1, 9001},
                                                               {&M::AutoPlay1, 9005},
                                                               {&M::HelpOnHelp1, 9001},
                                                               {&M::Replay1, 9006},
                                                               {&M::RennorontheWeb1, 9001},
                                                               {&M::SwitchSides1, 9007},
                                                               {&M::About1, 9001},
                                                               {&M::Hint1, 9008},
                                                               {&M::Exit1, 9010},
                                                               {&M::Undo1, 9101},
                                                               {&M::Redo1, 9102}}) {
        QAction* action = Items().*item;
        QMenu* menu = Items().Game1->actions().contains(action)   ? Items().Game1
                      : Items().Edit1->actions().contains(action) ? Items().Edit1
                                                                  : Items().Help1;
        menu->popup(Form->mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_F1);
        if (Help()->CurrentContext() != context) {
            wrong << action->text() + ": " + QString::number(Help()->CurrentContext());
        }
        menu->close();
    }
    EXPECT_EQ(wrong, QStringList());
    EXPECT_EQ(State(), "0 0 0 W undo 0 hints 0 URAPH asked 0 reports 0");
}

TEST_F(ShellWindowTest, WhatsThisShowsAControlsTopicWhereItWasAskedFor) {
    Start();
    const QSize music = PopupSizeOf(2002), trackBar = PopupSizeOf(3001);
    ASSERT_NE(music, trackBar) << "the test cannot tell these topics apart";
    // From the control's context menu, with the dialog open modally: where the menu opened.
    QPoint place;
    QRect popup;
    QTimer::singleShot(0, Options.get(), [&] {
        QWidget* box = OptionsControl("GeneralSettings", "MusicCheckBox");
        place = box->mapToGlobal(QPoint(6, 6));
        QContextMenuEvent ask(QContextMenuEvent::Mouse, QPoint(6, 6), place);
        QApplication::sendEvent(box, &ask);
        QMenu* menu = Items().PopUpMenu2;
        if (QTest::qWaitForWindowExposed(menu) && menu->actions() == QList{Items().Whatsthis1}) {
            QTest::mouseClick(menu, Qt::LeftButton, {},
                              menu->actionGeometry(Items().Whatsthis1).center());
        }
        popup = VisiblePopup() ? VisiblePopup()->geometry() : QRect();
        Options->reject();
    });
    Options->exec();
    EXPECT_EQ(popup.size(), music);
    EXPECT_TRUE(popup.adjusted(-40, -40, 40, 40).contains(place));
    EXPECT_FALSE(Form->Help->IsWindowVisible()) << "a pop-up needs no help window";
    // Through the title bar's help button: just below the control.
    QWidget* bar = OptionsControl("AIE", "TrackBar");
    QWhatsThis::enterWhatsThisMode();
    QTest::mouseClick(bar, Qt::LeftButton);
    EXPECT_FALSE(QWhatsThis::inWhatsThisMode());
    ASSERT_NE(VisiblePopup(), nullptr);
    EXPECT_EQ(VisiblePopup()->size(), trackBar);
    EXPECT_TRUE(VisiblePopup()
                    ->geometry()
                    .adjusted(-40, -40, 40, 40)
                    .contains(bar->mapToGlobal(QPoint(0, bar->height()))));
    EXPECT_EQ(bar->toolTip(), "Change The Behavior Of Rennor Master");
}

TEST_F(ShellWindowTest, TheAboutCommandShowsANewBoxEachTimeThatEscapeOrEnterClosesAndFrees) {
    Start();
    QStringList seen;
    QPointer<TAboutForm> about;
    for (auto [okFocused, key] :
         {std::pair{false, Qt::Key_Escape}, {true, Qt::Key_Escape}, {false, Qt::Key_Return}}) {
        QTimer::singleShot(0, [&, okFocused, key] {
            about = qobject_cast<TAboutForm*>(QApplication::activeModalWidget());
            ASSERT_NE(about, nullptr);
            seen << Line(about->focusWidget() == about->Edit1, !about->Image1->pixmap().isNull(),
                         about->OkButton->toolTip().isEmpty(),
                         Hint(about->OkButton, about->OkButton->statusTip()));
            if (okFocused) {
                about->OkButton->setFocus();
            }
            QTest::keyClick(about->focusWidget(), key);
        });
        Items().About1->trigger();
        seen << Line(about.isNull());
    }
    const QString open = "true true true  Very Nice Program , I Love It !!!";
    EXPECT_EQ(seen, QStringList({open, "true", open, "true", open, "true"}));
}

TEST_F(ShellWindowTest, ExitAsksOnlyYesClosesAndTheHelpWindowGoesWithTheProgram) {
    Start();
    Items().HelpTopics1->trigger();
    Answers->ExitAnswers = {false, true};
    Items().Exit1->trigger();
    const QString stayed = Line(Form->isVisible(), Play.Closing, Form->Help->IsWindowVisible());
    Items().Exit1->trigger();
    EXPECT_EQ(Line(stayed, "/", Form->isVisible(), Play.Closing, Form->Help->IsWindowVisible()),
              "true false true / false true false");
    // The confirmation: Escape does nothing, Enter confirms at once, Cancel does not.
    TExitForm form;
    QTimer::singleShot(0, &form, [&] {
        QTest::keyClick(&form, Qt::Key_Escape);
        QTest::keyClick(form.focusWidget(), form.isVisible() ? Qt::Key_Return : Qt::Key_Escape);
    });
    const int yes = form.exec();
    TExitForm again;
    QTimer::singleShot(0, &again, [&] { again.Button2->click(); });
    EXPECT_EQ(Line(yes, again.exec()), "1 0");
}

// Stands in for the desktop's browser.
class TBrowser : public QObject {
    Q_OBJECT

public:
    QList<QUrl> Opened;

public slots:
    void Open(const QUrl& url) { Opened << url; }
};

TEST_F(ShellWindowTest, TheWebCommandOpensTheWebPageInTheBrowserWithoutAWord) {
    Start();
    TBrowser browser;
    const QUrl page(QString::fromLatin1(WebPageAddress));
    QDesktopServices::setUrlHandler(page.scheme(), &browser, "Open");
    Items().RennorontheWeb1->trigger();
    QDesktopServices::unsetUrlHandler(page.scheme());
    EXPECT_EQ(browser.Opened, QList<QUrl>{page});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace

#include "ShellWindowTest.moc"

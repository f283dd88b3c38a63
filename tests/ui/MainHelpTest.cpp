// The main window's help: every context number through its handlers, F1 on a highlighted menu
// item, the options dialog's pop-up help, the help window closing on exit, and the web page.
#include "MainFormTestSupport.h"

#include "HelpTestSupport.h"
#include "help/HelpEngine.h"
#include "help/HelpWindow.h"
#include "ui/ProductAddresses.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QWhatsThis>

namespace {

class MainHelpTest : public MainFormTest {
protected:
    void TearDown() override {
        QWhatsThis::hideText();
        MainFormTest::TearDown();
    }

    THelpWindow* Window() const { return Form->Help->Window(); }
    bool HelpShown() const { return Form->Help->IsWindowVisible(); }

    // The size of the pop-up a context number makes: it is laid out around its own text, so two
    // topics of different texts give pop-ups of different sizes.
    QSize PopupSizeOf(int context) const {
        const THelpFile& file = Form->Help->File();
        QWhatsThis::showText(QPoint(100, 100), file.PopupHtml(file.ContextFile(context)));
        const QWidget* popup = VisiblePopup();
        const QSize size = popup != nullptr ? popup->size() : QSize();
        QWhatsThis::hideText();
        QApplication::processEvents();
        return size;
    }

    // The dialog shown without its modal loop, on the page that holds control.
    QWidget* ShowOptionsWith(const char* page, const char* control) {
        Options->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Options.get()));
        auto* pages = Options->findChild<QTabWidget*>(QStringLiteral("OptionsControl"));
        pages->setCurrentWidget(Options->findChild<QWidget*>(QLatin1String(page)));
        return Options->findChild<QWidget*>(QLatin1String(control));
    }
};

TEST_F(MainHelpTest, EachContextNumberOpensItsOwnTopicAndTheHelpMenuItsPages) {
    Start();
    for (int context : ProgramContexts) {
        Form->ShowHelpContext(context);
        ASSERT_TRUE(HelpShown()) << context;
        EXPECT_EQ(Window()->CurrentContext(), context);
    }
    Form->Menu.HelpOnHelp1->trigger();
    EXPECT_EQ(Window()->CurrentFile(), QStringLiteral("helponhelp.html"));
    Form->Menu.WhatsNew1->trigger();
    EXPECT_EQ(Window()->CurrentContext(), 5003);
    // The contents come forward over the topic shown.
    Window()->ShowIndexPage();
    ASSERT_FALSE(Window()->ContentsTree()->isVisible());
    Form->Menu.HelpTopics1->trigger();
    EXPECT_TRUE(Window()->ContentsTree()->isVisible());
    EXPECT_GT(Window()->ContentsTree()->topLevelItemCount(), 3);

    // F1 anywhere in the main window is the contents too.
    Window()->ShowIndexPage();
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    QTest::keyClick(Form.get(), Qt::Key_F1);
    EXPECT_TRUE(Window()->ContentsTree()->isVisible());

    // The options dialog's Help button reaches the same window.
    ShowOptionsWith("GeneralSettings", "HelpBtn");
    Options->HelpBtnClick();
    EXPECT_EQ(Window()->CurrentContext(), 2222);
}

TEST_F(MainHelpTest, F1OnAHighlightedMenuItemOpensThatItemsTopic) {
    Start();
    // Each topic differs from the one before, so the contents that F1 alone shows (keeping the
    // topic on view) cannot pass for the item's topic.
    const std::pair<QAction * TMainMenuItems::*, int> items[] = {
        {&TMainMenuItems::LoadGame1, 9002}, {&TMainMenuItems::Hint1, 9008},
        {&TMainMenuItems::Exit1, 9010},     {&TMainMenuItems::About1, 9001},
        {&TMainMenuItems::Redo1, 9102},     {&TMainMenuItems::HelpTopics1, 9001},
    };
    const int movesBefore = Game.MoveCount;
    for (const auto& [item, context] : items) {
        QAction* action = Form->Menu.*item;
        QMenu* menu = nullptr;
        for (QMenu* m : {Form->Menu.Game1, Form->Menu.Edit1, Form->Menu.Help1}) {
            menu = m->actions().contains(action) ? m : menu;
        }
        ASSERT_NE(menu, nullptr);
        menu->popup(Form->mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_F1);
        ASSERT_TRUE(HelpShown()) << action->text().toStdString();
        // The item's topic, and the command itself did not run.
        EXPECT_EQ(Window()->CurrentContext(), context) << action->text().toStdString();
        menu->close();
    }
    EXPECT_EQ(Game.MoveCount, movesBefore);
    EXPECT_TRUE(Form->isVisible());
}

TEST_F(MainHelpTest, WhatsThisOnAnOptionsControlShowsItsTopicWhereTheMenuOpened) {
    Start();
    const QSize musicPopup = PopupSizeOf(2002);
    ASSERT_FALSE(musicPopup.isEmpty());
    ASSERT_NE(musicPopup, PopupSizeOf(3001)) << "the test cannot tell these topics apart";

    // As the user meets it: the dialog open modally, its control's context menu over it.
    QPoint place;
    QRect popup;
    const auto rightClickMusicAndAskWhatsThis = [&] {
        auto* pages = Options->findChild<QTabWidget*>(QStringLiteral("OptionsControl"));
        pages->setCurrentWidget(Options->findChild<QWidget*>(QStringLiteral("GeneralSettings")));
        QWidget* music = Options->findChild<QWidget*>(QStringLiteral("MusicCheckBox"));
        ASSERT_NE(music, nullptr);
        place = music->mapToGlobal(QPoint(6, 6));
        QContextMenuEvent ask(QContextMenuEvent::Mouse, QPoint(6, 6), place);
        QApplication::sendEvent(music, &ask);
        QMenu* menu = Form->Menu.PopUpMenu2;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        ASSERT_EQ(menu->actions().size(), 1);
        EXPECT_EQ(menu->actions().first()->text(), QStringLiteral("&What's this ?"));
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(Form->Menu.Whatsthis1).center());
        if (const QWidget* shown = VisiblePopup()) {
            popup = shown->geometry();
        }
    };
    QTimer::singleShot(0, Options.get(), [&] {
        rightClickMusicAndAskWhatsThis();
        Options->reject();
    });
    Options->exec();

    EXPECT_EQ(popup.size(), musicPopup);
    EXPECT_TRUE(popup.adjusted(-40, -40, 40, 40).contains(place));
    EXPECT_FALSE(HelpShown()) << "a pop-up needs no help window";
}

TEST_F(MainHelpTest, TheTitleBarHelpButtonShowsAControlsTopicAtTheControl) {
    Start();
    const QSize trackBarPopup = PopupSizeOf(3001);
    ASSERT_NE(trackBarPopup, PopupSizeOf(2002)) << "the test cannot tell these topics apart";

    QWidget* trackBar = ShowOptionsWith("AIE", "TrackBar");
    ASSERT_NE(trackBar, nullptr);
    QWhatsThis::enterWhatsThisMode();
    QTest::mouseClick(trackBar, Qt::LeftButton);
    EXPECT_FALSE(QWhatsThis::inWhatsThisMode());
    const QWidget* popup = VisiblePopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->size(), trackBarPopup);
    const QPoint below = trackBar->mapToGlobal(QPoint(0, trackBar->height()));
    EXPECT_TRUE(popup->geometry().adjusted(-40, -40, 40, 40).contains(below))
        << popup->x() << "," << popup->y() << " for " << below.x() << "," << below.y();
}

TEST_F(MainHelpTest, ExitingClosesTheHelpWindowAndStayingKeepsIt) {
    Start();
    Form->Menu.HelpTopics1->trigger();
    ASSERT_TRUE(HelpShown());

    Scripted->ExitAnswers = {false};
    EXPECT_FALSE(Form->close());
    EXPECT_TRUE(HelpShown());

    Scripted->ExitAnswers = {true};
    EXPECT_TRUE(Form->close());
    EXPECT_FALSE(HelpShown());
    EXPECT_TRUE(Play.Closing);
}

// Stands in for the desktop's browser.
class TBrowser : public QObject {
    Q_OBJECT

public:
    QList<QUrl> Opened;

public slots:
    void Open(const QUrl& url) { Opened << url; }
};

TEST_F(MainHelpTest, TheWebCommandOpensTheWebPageInTheBrowser) {
    Start();
    TBrowser browser;
    const QString scheme = QUrl(QString::fromLatin1(WebPageAddress)).scheme();
    QDesktopServices::setUrlHandler(scheme, &browser, "Open");
    Form->Menu.RennorontheWeb1->trigger();
    QDesktopServices::unsetUrlHandler(scheme);
    EXPECT_EQ(browser.Opened, QList<QUrl>{QUrl(QString::fromLatin1(WebPageAddress))});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "nothing is said about it";
}

} // namespace

#include "MainHelpTest.moc"

// The main window's shell: its layout and hints on the status bar, help by menu item and
// control, and the web page.
#include "WindowTestSupport.h"

#include "HelpTestSupport.h"
#include "help/HelpEngine.h"
#include "help/HelpWindow.h"
#include "ui/AboutForm.h"
#include "ui/ExitForm.h"
#include "ui/LogoForm.h"
#include "ui/ProductAddresses.h"

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusTipEvent>
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
    // What the status bar shows after this tip for widget.
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
};

// Stands in for the desktop's browser.
class TBrowser : public QObject {
    Q_OBJECT

public:
    Q_INVOKABLE void Open(const QUrl& url) { Opened << url; }
    QList<QUrl> Opened;
};

// The web page and the mail open without a word, or the address is named.
TEST_F(ShellWindowTest, TheBoardStandsBesideTheToolsHintsReachTheStatusBarAndTheWebPageOpens) {
    Start();
    TExitForm exit;
    EXPECT_EQ(QStringList({Line(Grid().y(), Grid().geometry().right() < Form->Panel1->x()),
                           Hint(Form->NewGameButton, "Short|The long part"),
                           Hint(Form->menuBar(), Items().NewGame1->statusTip()),
                           Hint(exit.Button1, exit.Button1->statusTip()),
                           Line(exit.Button1->toolTip().isEmpty())}),
              QStringList({Line(Form->Panel1->y(), true), "The long part", "Starts a new game",
                           " Yes , BUT I'll Be Back !", "true"}));
    TBrowser browser;
    QObject nothing; // a handler without the slot: the desktop opens nothing
    for (QObject* desktop : {static_cast<QObject*>(&browser), &nothing}) {
        QDesktopServices::setUrlHandler("https", desktop, "Open");
        QDesktopServices::setUrlHandler("mailto", desktop, "Open");
        Items().RennorontheWeb1->trigger();
        TAboutForm about(Form.get());
        QTest::keyClicks(about.Edit1, "x"); // the address is shown, not edited
        EXPECT_EQ(about.Edit1->text(), QString::fromLatin1(SupportEMailAddress));
        QTest::mouseDClick(about.Edit1, Qt::LeftButton);
    }
    QDesktopServices::unsetUrlHandler("https");
    QDesktopServices::unsetUrlHandler("mailto");
    EXPECT_EQ(browser.Opened, QList<QUrl>({QUrl(QString::fromLatin1(WebPageAddress)),
                                           "mailto:" + QString::fromLatin1(SupportEMailAddress)}));
    EXPECT_EQ(Ports->Errors,
              QStringList({"The web page https://rennor.example.org/ could not be opened: no web "
                           "browser is set up.",
                           "A mail to support@rennor.example.org could not be started: no mail "
                           "program is set up."}));
}

TEST_F(ShellWindowTest, TheHelpMenuF1AndF1OnAHighlightedItemOpenTheirTopics) {
    Start();
    Items().HelpOnHelp1->trigger();
    QStringList seen{Help()->CurrentFile()};
    Items().WhatsNew1->trigger();
    seen << QString::number(Help()->CurrentContext());
    Help()->ShowIndexPage(); // the contents come forward over the topic shown
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    QTest::keyClick(Form.get(), Qt::Key_F1);
    seen << Line(Help()->ContentsTree()->isVisible());
    // On a highlighted item F1 shows its topic and runs nothing. Each topic differs from the one
    // before, so the contents that F1 alone brings forward cannot pass for it.
    const TMainMenuItems& m = Items();
    for (QAction* item :
         {m.LoadGame1, m.NewGame1, m.SaveGame1, m.HelpTopics1, m.Options1, m.WhatsNew1, m.AutoPlay1,
          m.HelpOnHelp1, m.Replay1, m.RennorontheWeb1, m.SwitchSides1, m.About1, m.Hint1,
          m.Analyse1, m.Exit1, m.Undo1, m.Redo1}) {
        QMenu* menu = m.Game1->actions().contains(item)   ? m.Game1
                      : m.Edit1->actions().contains(item) ? m.Edit1
                                                          : m.Help1;
        menu->popup(Form->mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        menu->setActiveAction(item);
        QTest::keyClick(menu, Qt::Key_F1);
        seen << QString::number(Help()->CurrentContext());
        menu->close();
    }
    EXPECT_EQ(seen.join(' '), "helponhelp.html 5003 true 9002 9001 9003 9001 9004 9001 9005 9001 "
                              "9006 9001 9007 9001 9008 9011 9010 9101 9102");
    EXPECT_EQ(State(), "0 0 0 W undo 0 hints 0 URAPH asked 0 reports 0");
}

TEST_F(ShellWindowTest, WhatsThisShowsAControlsTopicWhereItWasAskedFor) {
    Start();
    // Pop-ups are laid out around their texts: these two topics' differ in size.
    const QSize music = PopupSizeOf(2002), trackBar = PopupSizeOf(3001);
    // From the control's context menu, with the dialog open modally: where the menu opened.
    QPoint place;
    QRect popup;
    QTimer::singleShot(0, Options.get(), [&] {
        ShowOptions("GeneralSettings");
        place = Control("MusicCheckBox")->mapToGlobal(QPoint(6, 6));
        QContextMenuEvent ask(QContextMenuEvent::Mouse, QPoint(6, 6), place);
        QApplication::sendEvent(Control("MusicCheckBox"), &ask);
        QMenu* menu = Items().PopUpMenu2;
        if (QTest::qWaitForWindowExposed(menu) && menu->actions() == QList{Items().Whatsthis1}) {
            QTest::mouseClick(menu, Qt::LeftButton, {},
                              menu->actionGeometry(menu->actions()[0]).center());
        }
        popup = VisiblePopup() ? VisiblePopup()->geometry() : QRect();
        Options->reject();
    });
    Options->exec();
    // Through the title bar's help button: just below the control.
    ShowOptions("AIE");
    QWidget* bar = Control("TrackBar");
    QWhatsThis::enterWhatsThisMode();
    QTest::mouseClick(bar, Qt::LeftButton);
    ASSERT_TRUE(VisiblePopup() != nullptr && !QWhatsThis::inWhatsThisMode() && music != trackBar);
    const QRect below(bar->mapToGlobal(QPoint(0, bar->height())), VisiblePopup()->size());
    EXPECT_EQ(Line(popup.size() == music, popup.adjusted(-40, -40, 40, 40).contains(place),
                   Form->Help->IsWindowVisible(), below.size() == trackBar,
                   VisiblePopup()->geometry().adjusted(-40, -40, 40, 40).contains(below.topLeft()),
                   bar->toolTip()),
              "true true false true true Change The Behavior Of Rennor Master");
}

// The main window stands a little above the centre, leaving the task bar its room and never
// above the top; the dialogs and the splash stand at the centre. Halves round to even.
TEST_F(ShellWindowTest, EachWindowStandsWhereItBelongsOnTheScreen) {
    const auto main = MainWindowPosition, centred = CentredOnScreen;
    const std::tuple<decltype(main), QSize, QSize, QPoint> places[] = {
        {main, {1024, 768}, {561, 450}, {232, 144}},
        {main, {800, 600}, {563, 451}, {118, 59}},
        {main, {640, 400}, {561, 450}, {40, 0}},
        {main, {1366, 768}, {565, 453}, {401, 143}},
        {centred, {800, 600}, {273, 160}, {264, 220}},
        {centred, {1366, 768}, {421, 191}, {473, 288}},
        {centred, {1025, 767}, {463, 275}, {280, 246}}};
    for (auto [place, screen, outer, at] : places) {
        EXPECT_EQ(place(screen, outer), at) << screen.width() << "x" << outer.width();
    }
    Start();
    ShowOptions();
    TAboutForm about(Form.get());
    TExitForm exit(Form.get());
    TLogoForm logo;
    about.show();
    exit.show();
    logo.ShowAndPaint();
    QStringList seen;
    for (QWidget* window :
         std::initializer_list<QWidget*>{Form.get(), Options.get(), &about, &exit, &logo}) {
        seen << Line(window->frameGeometry().x(), window->frameGeometry().y());
    }
    EXPECT_EQ(seen.join(", "), "118 171, 168 280, 167 241, 262 318, 190 304");
}

} // namespace

#include "ShellWindowTest.moc"

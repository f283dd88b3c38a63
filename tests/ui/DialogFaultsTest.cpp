// The options dialog beside its help window and under Enter, and addresses nothing can open.
#include "MainFormTestSupport.h"

#include "help/HelpEngine.h"
#include "help/HelpWindow.h"
#include "ui/AboutForm.h"

#include <QDesktopServices>
#include <QLineEdit>
#include <QTimer>

namespace {

TEST_F(MainFormTest, TheHelpWindowTakesKeysWhileTheOptionsDialogIsOpen) {
    Start();
    QString typed;
    QTimer::singleShot(0, Options.get(), [&] {
        Options->findChild<QAbstractButton*>(QStringLiteral("HelpBtn"))->click();
        THelpWindow* help = Form->Help->Window();
        help->ShowIndexPage();
        help->IndexEdit()->setFocus();
        QTest::keyClick(help->windowHandle(), 'n'); // as the window system delivers it
        typed = help->IndexEdit()->text();
        Options->reject();
    });
    Form->Options1Click();
    EXPECT_EQ(typed, QStringLiteral("n"));
}

TEST_F(MainFormTest, EnterInTheOptionsDialogPressesOkWhereverTheFocusIs) {
    Start();
    for (const char* name : {"BoardColorBtn", "WhoMovesFirst", "FirstPlayerEditBox"}) {
        QTimer::singleShot(0, Options.get(), [this, name] {
            auto* control = Options->findChild<QWidget*>(QLatin1String(name));
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Return);
            if (Options->isVisible()) {
                Options->reject(); // Enter left it open
            }
        });
        EXPECT_EQ(Options->exec(), QDialog::Accepted) << name;
    }
    EXPECT_TRUE(Scripted->ColorPickerStarts.empty());
    EXPECT_EQ(Options->WhoMovesFirstCaption(), QStringLiteral("1st Player is First"));
}

TEST_F(MainFormTest, AnAddressThatNothingOpensIsNamedInAMessage) {
    Start();
    QObject nothing; // a handler without the slot: the desktop opens nothing
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &nothing, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &nothing, "open");
    Form->Menu.RennorontheWeb1->trigger();
    QTest::mouseDClick(TAboutForm(Form.get()).Edit1, Qt::LeftButton);
    EXPECT_EQ(Scripted->Errors,
              QStringList({"The web page https://rennor.example.org/ could not be opened: no web "
                           "browser is set up.",
                           "A mail to support@rennor.example.org could not be started: no mail "
                           "program is set up."}));
}

} // namespace

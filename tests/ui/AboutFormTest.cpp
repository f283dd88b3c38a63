// The about box: its layout and texts, the keys that close it, and its life through the Help
// menu, from creation at each showing to destruction.
#include "MainFormTestSupport.h"

#include "resources/Artwork.h"
#include "ui/AboutForm.h"
#include "ui/ProductAddresses.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTimer>

namespace {

// Runs check on the about box once it is shown modally, then presses key in it.
void WhenShown(const std::function<void(TAboutForm&)>& check, Qt::Key key) {
    QTimer::singleShot(0, [=] {
        auto* about = qobject_cast<TAboutForm*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        check(*about);
        QTest::keyClick(about->focusWidget(), key);
    });
}

TEST(AboutFormTest, TextsHintsAndPicture) {
    TAboutForm about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral(" "));
    EXPECT_TRUE(about.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(about.windowFlags() & Qt::WindowCloseButtonHint) << "no border icons";
    EXPECT_EQ(about.Image1->size(), Artwork::AboutSize);
    EXPECT_FALSE(about.Image1->pixmap().isNull());
    EXPECT_EQ(about.Label1->text(), QStringLiteral("E-Mail : "));
    EXPECT_EQ(about.Edit1->text(), QString::fromLatin1(SupportEMailAddress));
    EXPECT_TRUE(about.Edit1->isReadOnly());
    EXPECT_EQ(about.Edit1->toolTip(), QStringLiteral("E-mail support"));
    EXPECT_EQ(about.OkButton->text(), QStringLiteral("&OK"));
    EXPECT_TRUE(about.OkButton->isDefault());
    EXPECT_TRUE(about.OkButton->toolTip().isEmpty()) << "its hint is for the status bar only";
}

TEST(AboutFormTest, EscapeClosesItFromAnyControlAndEnterPressesOk) {
    TAboutForm about;
    QTimer::singleShot(0, &about, [&] {
        EXPECT_EQ(about.focusWidget(), about.Edit1) << "the address is the active control";
        QTest::keyClick(about.Edit1, Qt::Key_Escape);
    });
    EXPECT_EQ(about.exec(), QDialog::Rejected);

    TAboutForm again;
    QTimer::singleShot(0, &again, [&] {
        again.OkButton->setFocus();
        QTest::keyClick(again.OkButton, Qt::Key_Escape);
    });
    EXPECT_EQ(again.exec(), QDialog::Rejected);

    TAboutForm third;
    QTimer::singleShot(0, &third, [&] { QTest::keyClick(third.Edit1, Qt::Key_Return); });
    EXPECT_EQ(third.exec(), QDialog::Accepted);
}

TEST_F(MainFormTest, TheAboutCommandShowsANewBoxEachTimeAndFreesIt) {
    Start();
    QPointer<TAboutForm> first;
    WhenShown(
        [&](TAboutForm& about) {
            first = &about;
            // Its hint reaches the main window's status bar.
            QStatusTipEvent tip(about.OkButton->statusTip());
            QApplication::sendEvent(about.OkButton, &tip);
            EXPECT_EQ(Form->StatusBar->text(),
                      QStringLiteral(" Very Nice Program , I Love It !!!"));
        },
        Qt::Key_Escape);
    Form->Menu.About1->trigger();
    EXPECT_TRUE(first.isNull()) << "the box outlived its showing";

    WhenShown(
        [](TAboutForm& about) {
            EXPECT_EQ(about.Edit1->text(), QString::fromLatin1(SupportEMailAddress));
        },
        Qt::Key_Return);
    Form->About1Click();
    EXPECT_TRUE(Form->findChildren<TAboutForm*>().isEmpty());
    EXPECT_TRUE(Form->isVisible());
}

} // namespace

// The windows as the user sees them, each against a picture kept beside the tests: every colour,
// bevel, picture, digit and stone in one comparison. RENNOR_NEW_PICTURES=1 writes the pictures
// anew from what the windows show (look at them before committing them).
#include "WindowTestSupport.h"

#include "timing/SuperTimer.h"
#include "timing/TimerLst.h"
#include "ui/AboutForm.h"
#include "ui/ExitForm.h"
#include "ui/LogoForm.h"
#include "widgets/SecretPanel.h"

#include <QDir>

namespace {

class PictureWindowTest : public WindowTest {
protected:
    // The count of the pixels that differ from the kept picture by more than smoothing does
    // (the picture shown is then left in the temporary folder), or "same".
    static QString Against(const QImage& shown, const QString& name) {
        const QString kept = QStringLiteral(QT_TESTCASE_SOURCEDIR "/pictures/") + name + ".png";
        const QImage rgb = shown.convertToFormat(QImage::Format_RGB32);
        if (qEnvironmentVariableIsSet("RENNOR_NEW_PICTURES")) {
            rgb.save(kept);
        }
        const QImage expected = QImage(kept).convertToFormat(QImage::Format_RGB32);
        if (expected.size() != rgb.size()) {
            return QStringLiteral("size %1x%2").arg(rgb.width()).arg(rgb.height());
        }
        int count = 0;
        for (int y = 0; y < rgb.height(); ++y) {
            for (int x = 0; x < rgb.width(); ++x) {
                const QRgb a = rgb.pixel(x, y), b = expected.pixel(x, y);
                // How far a channel of smoothed text may move between runs: the glyph cache
                // places a path a fraction of a pixel differently after other texts were drawn.
                count += std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                   std::abs(qBlue(a) - qBlue(b))}) > 24;
            }
        }
        const QString file = QDir::temp().filePath(name + "-shown.png");
        return count == 0 ? "same" : (rgb.save(file), Line(count, "pixels differ, shown:", file));
    }
    // The main window held still: the clock at a set time, the stone to move lit, no scrolling.
    QImage MainWindow() const {
        Form->Timer1->stop();
        Form->BlinkTimer->SetEnabled(false);
        Form->RxTimer->SetActive(false);
        Form->ShowTimeElapsed((33936 + 0.5) / 86400.0); // 09:25:36: with 17:18, every digit
        for (TTurnStone* stone : {Form->NoughtImage, Form->CrossImage}) {
            while (!stone->Lit()) {
                stone->Blink(true);
            }
        }
        Form->CommentPanel->SetActive(true);
        for (int i = 0; i < 40; ++i) { // a line and a half of the comments up
            Form->CommentPanel->ScrollStep();
        }
        QTest::mouseMove(&Grid(), SquareCentre(17, 18)); // the readout shows the square
        return Form->grab().toImage();
    }
};

TEST_F(PictureWindowTest, TheMainWindowLooksAsItsPicture) {
    StartWith({{"HUMAN vs HUMAN", "1"}});
    Do("10,10 11,10 1,1 19,19");
    QStringList seen{Against(MainWindow(), "MainWindow")};
    for (int page = 0; page < Control<QTabWidget>("OptionsControl")->count(); ++page) {
        ShowOptions();
        Control<QTabWidget>("OptionsControl")->setCurrentIndex(page);
        seen << Against(Options->grab().toImage(), "Options" + QString::number(page));
    }
    Options->hide();
    TAboutForm about(Form.get());
    TExitForm exit(Form.get());
    TLogoForm logo;
    seen << Against(about.grab().toImage(), "About") << Against(exit.grab().toImage(), "Exit")
         << Against(logo.grab().toImage(), "Logo");
    EXPECT_EQ(seen.join('\n').toStdString(),
              QStringList(seen.size(), "same").join('\n').toStdString());
}

} // namespace

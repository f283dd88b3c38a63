// The splash: borderless, on top, black, one picture framed by a one-pixel black edge.
#include "ui/LogoForm.h"

#include "resources/Artwork.h"
#include "ui/ExitForm.h"

#include <QCoreApplication>
#include <QLabel>
#include <QScreen>

TLogoForm::TLogoForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setFixedSize(420, 191);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    Image1 = new QLabel(this);
    Image1->setGeometry(1, 1, 418, 189);
    Image1->setPixmap(Artwork::SplashPicture());
}

void TLogoForm::ShowAndPaint() {
    if (const QScreen* screen = this->screen()) {
        move(CentredOnScreen(screen->geometry().size(), size()));
    }
    show();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

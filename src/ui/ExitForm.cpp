// The exit confirmation: black, one question, "&Yes" focused so that Enter confirms.
#include "ui/ExitForm.h"

#include "resources/Fonts.h"
#include "ui/DialogKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <cmath>

namespace {

int HalfRounded(int length) {
    return static_cast<int>(std::nearbyint(length * 0.5));
}

QPushButton* DialogButton(QWidget* parent, const char* caption, const char* hint, int x) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setGeometry(x, 120, 81, 25);
    button->setAutoDefault(false);
    button->setDefault(false);
    // The hint reaches only the status bar of the main window, never a tool tip.
    button->setStatusTip(QString::fromUtf8(hint));
    return button;
}

} // namespace

QPoint CentredOnScreen(const QSize& screen, const QSize& outer) {
    return {HalfRounded(screen.width()) - HalfRounded(outer.width()),
            HalfRounded(screen.height()) - HalfRounded(outer.height())};
}

TExitForm::TExitForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("Exit Confirmation:"));
    setFixedSize(273, 160);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);

    Label1 = new QLabel(QStringLiteral("Do you really want to exit ?"), this);
    Label1->setFont(Fonts::Pixels(Fonts::TFamily::CourierNew, 15));
    Label1->setStyleSheet(QStringLiteral("color: white"));
    Label1->move(11, 59);
    Label1->adjustSize();

    Button1 = DialogButton(this, "&Yes", " Yes , BUT I'll Be Back !", 32);
    Button2 = DialogButton(this, "&Cancel", " No , Of Course I Don't", 160);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TExitForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen()) {
        move(CentredOnScreen(screen->geometry().size(), frameGeometry().size()));
    }
    Button1->setFocus();
}

void TExitForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) { // no cancel button: Escape does nothing
        event->accept();
    } else if (!PressFocusedButton(*this, event)) {
        QDialog::keyPressEvent(event);
    }
}

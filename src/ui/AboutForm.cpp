// The about box: black, the about picture, the support address and one OK button.
#include "ui/AboutForm.h"

#include "resources/Artwork.h"
#include "resources/Fonts.h"
#include "ui/ExitForm.h"
#include "ui/ProductAddresses.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int ClientWidth = 462;
constexpr int ClientHeight = 314;

void PaintWhiteOnBlack(QWidget* widget, QPalette::ColorRole ground, QPalette::ColorRole text) {
    QPalette p = widget->palette();
    p.setColor(ground, Qt::black);
    p.setColor(text, Qt::white);
    widget->setPalette(p);
}

bool IsEscape(const QEvent* event) {
    return event->type() == QEvent::KeyPress &&
           static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Escape;
}

} // namespace

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);
    PaintWhiteOnBlack(this, QPalette::Window, QPalette::WindowText);

    Image1 = new QLabel(this);
    Image1->setGeometry(QRect(QPoint(23, 4), Artwork::AboutSize));
    Image1->setPixmap(Artwork::AboutPicture());

    Label1 = new QLabel(QStringLiteral("E-Mail : "), this);
    const QFont font = Fonts::Points(Fonts::TFamily::MSSansSerif, 8);
    Label1->setFont(font);
    Label1->move(112, 226);
    Label1->adjustSize();

    Edit1 = new QLineEdit(QString::fromLatin1(SupportEMailAddress), this);
    Edit1->setReadOnly(true);
    Edit1->setFont(font);
    Edit1->setCursorPosition(0); // the address from its start, should it ever be cut
    Edit1->setGeometry(153, 222, 156, 21);
    PaintWhiteOnBlack(Edit1, QPalette::Base, QPalette::Text);
    Edit1->setToolTip(QStringLiteral("E-mail support"));
    Edit1->setAccessibleName(QStringLiteral("E-Mail"));

    OkButton = new QPushButton(QStringLiteral("&OK"), this);
    OkButton->setGeometry(191, 281, 81, 25);
    OkButton->setDefault(true);
    // The hint reaches only the main window's status bar, never a tool tip.
    OkButton->setStatusTip(QStringLiteral(" Very Nice Program , I Love It !!!"));
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);

    for (QWidget* control : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(OkButton)}) {
        control->installEventFilter(this);
    }
}

void TAboutForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen()) {
        move(CentredOnScreen(screen->geometry().size(), frameGeometry().size()));
    }
    Edit1->setFocus();
}

void TAboutForm::keyPressEvent(QKeyEvent* event) {
    if (IsEscape(event)) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (IsEscape(event)) {
        reject();
        return true;
    }
    if (watched == Edit1 && event->type() == QEvent::MouseButtonDblClick) {
        WriteToSupport();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

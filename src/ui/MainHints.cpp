// The hint hook sees status tips on their way to any widget of the application.
#include "ui/MainHints.h"

#include <QApplication>
#include <QLabel>
#include <QStatusTipEvent>

QString LongHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

TStatusHintHook::TStatusHintHook(QLabel* statusBar) : StatusBar(statusBar) {
    qApp->installEventFilter(this);
}

TStatusHintHook::~TStatusHintHook() {
    qApp->removeEventFilter(this);
}

bool TStatusHintHook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::StatusTip && StatusBar) {
        const QString text = LongHint(static_cast<QStatusTipEvent*>(event)->tip());
        if (StatusBar->text() != text) {
            StatusBar->setText(text);
        }
    }
    return QObject::eventFilter(watched, event);
}

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

void TStatusHintHook::Show(const QString& text) {
    const QString shown = text.isEmpty() ? Resting : text;
    if (!Holding && StatusBar && StatusBar->text() != shown) {
        StatusBar->setText(shown);
    }
}

void TStatusHintHook::SetResting(const QString& text) {
    // New words show at once; words taken away leave alone whatever else the bar shows.
    const bool resting = StatusBar && StatusBar->text() == Resting;
    Resting = text;
    if (resting || !text.isEmpty()) {
        Show({});
    }
}

void TStatusHintHook::Hold(const QString& text) {
    Holding = false;
    Show(text);
    Holding = !text.isEmpty();
}

bool TStatusHintHook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        Show(LongHint(static_cast<QStatusTipEvent*>(event)->tip()));
    }
    return QObject::eventFilter(watched, event);
}

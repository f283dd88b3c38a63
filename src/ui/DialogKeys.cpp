// Return and Enter go to the focused button rather than to the dialog's default button.
#include "ui/DialogKeys.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

bool PressFocusedButton(QDialog& dialog, QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        return false;
    }
    if (auto* focused = qobject_cast<QPushButton*>(dialog.focusWidget())) {
        focused->click();
    }
    event->accept();
    return true;
}

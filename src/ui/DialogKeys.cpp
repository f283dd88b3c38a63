// Return and Enter go to the focused button rather than to the dialog's default button; Tab goes
// to a radio group's checked button.
#include "ui/DialogKeys.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

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

void KeepTabStopOnChecked(const QList<QRadioButton*>& group) {
    // The toolkit moves the tab stop only when a button takes the focus, so a check set by the
    // program would leave it on a button that is not checked.
    const auto refresh = [group] {
        const bool none = std::none_of(group.begin(), group.end(),
                                       [](const QRadioButton* r) { return r->isChecked(); });
        for (QRadioButton* radio : group) {
            const bool stop = radio->isChecked() || (none && radio == group.first());
            radio->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
        }
    };
    for (QRadioButton* radio : group) {
        QObject::connect(radio, &QAbstractButton::toggled, radio, refresh);
    }
    refresh();
}

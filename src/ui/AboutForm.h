// TAboutForm: the about box of the Help menu, with its picture and the support e-mail address.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TAboutForm : public QDialog {
    Q_OBJECT

public:
    explicit TAboutForm(QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;   // "E-Mail : "
    QLineEdit* Edit1 = nullptr; // the support address, read-only; a double click writes to it
    QPushButton* OkButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The form sees Escape before its controls do, and the address's double click.
    bool eventFilter(QObject* watched, QEvent* event) override;
};

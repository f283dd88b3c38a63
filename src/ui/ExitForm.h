// TExitForm: the exit confirmation that the main window's close query shows.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TExitForm : public QDialog {
    Q_OBJECT

public:
    explicit TExitForm(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr; // "&Yes": Accepted
    QPushButton* Button2 = nullptr; // "&Cancel": Rejected

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The top-left corner that centres a window of outer size outer on a screen: each half is
// rounded to the nearest integer, an exact half to the even one.
QPoint CentredOnScreen(const QSize& screen, const QSize& outer);

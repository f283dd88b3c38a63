// TLogoForm: the splash window shown while the program starts.
#pragma once

#include <QWidget>

class QLabel;

class TLogoForm : public QWidget {
    Q_OBJECT

public:
    explicit TLogoForm(QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;

    // Shows the window centred on the screen and paints it before anything else runs.
    void ShowAndPaint();
};

// A track bar that can highlight a selected span of its range, as the attack/defence bar does.
#pragma once

#include <QSlider>

class QPainter;

class TSelTrackBar : public QSlider {
    Q_OBJECT

public:
    explicit TSelTrackBar(QWidget* parent = nullptr);

    int SelStart() const { return SelStartValue; }
    int SelEnd() const { return SelEndValue; }
    // An empty span (start equal to end) highlights nothing.
    void SetSelection(int start, int end);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int HandleCentre(int value) const;
    void DrawTicks(QPainter& painter) const;

    int SelStartValue = 0;
    int SelEndValue = 0;
};

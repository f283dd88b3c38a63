// The status-bar hint hook: the application's current hint, whatever window it comes from.
#pragma once

#include <QObject>
#include <QPointer>

class QLabel;

// Watches every status tip the application raises (a control with a hint under the pointer, a
// highlighted menu item) and shows its long part in the status bar. The one writer of the bar.
class TStatusHintHook : public QObject {
    Q_OBJECT

public:
    explicit TStatusHintHook(QLabel* statusBar);
    ~TStatusHintHook() override;

    // Shows a text as a hint would: until the next hint or text.
    void Show(const QString& text);
    // The text shown when no hint or other text is: empty by default.
    void SetResting(const QString& text);
    // Holds a text over every hint and text to come; an empty one ends the hold and clears the bar.
    void Hold(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QLabel> StatusBar;
    bool Holding = false;
    QString Resting;
};

// The long part of a hint "short|long": the text after the bar, or the whole hint without one.
QString LongHint(const QString& hint);

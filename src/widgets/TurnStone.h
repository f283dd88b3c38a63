// TTurnStone: the stone picture beside a player's name, blinking while that side is to move.
#pragma once

#include <QLabel>

// The blink is drawn, not shown and hidden: a widget that hides tells assistive technology that
// it left and came back, ten times a second. What it tells instead is whose turn it is, once
// each time that changes; its accessible name then ends in "to move". It stands on a flat panel
// and paints the panel's colour behind its picture itself.
class TTurnStone : public QLabel {
    Q_OBJECT

public:
    explicit TTurnStone(QWidget* parent = nullptr);

    // One tick of the blink: the stone of the side to move turns on or off, any other stands.
    void Blink(bool toMove);
    // Whether the picture is drawn now.
    bool Lit() const { return lit_; }
    bool ToMove() const { return toMove_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool lit_ = true;
    bool toMove_ = false;
};

// TWinnerForm: the game-over report with the winner, the winner's stone and the game's figures.
#pragma once

#include "game/GameReport.h"

#include <QColor>
#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;
class TMediaPlayer;
class TReportCaption;

// A circle in a rectangle, drawn with a pen and a brush; the winner's stone.
class TStoneShape : public QWidget {
public:
    explicit TStoneShape(QWidget* parent = nullptr) : QWidget(parent) {}

    QColor BrushColor() const { return Brush; }
    QColor PenColor() const { return Pen; }
    void SetColors(const QColor& brush, const QColor& pen);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor Brush = Qt::white;
    QColor Pen = Qt::black;
};

class TWinnerForm : public QDialog {
    Q_OBJECT

public:
    // The game-over sound plays through player, the main window's; none plays without one.
    explicit TWinnerForm(TMediaPlayer* player, QWidget* parent = nullptr);

    TStoneShape* WinnerColor = nullptr;
    QLabel* WinnerName = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
    QLabel *Label4 = nullptr, *Label5 = nullptr, *Label6 = nullptr;
    QLabel *MovesDone = nullptr, *TimeTaken = nullptr, *HintsUsed = nullptr;
    QLabel *UndoUsed = nullptr, *CommentsUsed = nullptr, *SwitchedSides = nullptr;
    QPushButton* Button1 = nullptr; // "&OK"

    // The figures it showed, as they stood when it opened.
    const TGameReport& Report() const { return Shown; }

    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void FormActivate();
    void FormClose();
    QLabel* AddLabel(const QString& caption, int x, int y);
    QLabel* AddCaption(const QString& caption, int y);
    QLabel* Placed(QLabel* label, int x, int y);
    void AlignColons();

    std::vector<TReportCaption*> Captions; // the left-hand labels, whose colons line up
    TMediaPlayer* Player;
    TGameReport Shown;
    bool Opened = false;
};

// The review of a finished game: the moves where the result changed hands, each with Emperor's
// better move, and a board that steps to each with Previous and Next.
#pragma once

#include "search/Analysis.h"

#include <QDialog>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;
class TAnalyser;
class TReviewBoard;

class TReviewForm final : public QDialog {
    Q_OBJECT

public:
    // Starts the review of game's stones (in the order played) on a worker of its own.
    explicit TReviewForm(const TSearchPosition& game, QWidget* parent = nullptr);
    ~TReviewForm() override;

    QListWidget* Points() const { return List; }
    QPushButton* PreviousButton() const { return Previous; }
    QPushButton* NextButton() const { return Next; }
    QLabel* Summary() const { return Words; }
    // The turning point the board shows, from 0, or -1.
    int Shown() const;

private:
    void Progress(int done, int total);
    void Done(const std::vector<TTurningPoint>& points);
    void Show(int index);

    std::unique_ptr<TAnalyser> Analyser;
    TSearchPosition Game;
    std::vector<TTurningPoint> Found;
    QLabel* Words = nullptr;
    QListWidget* List = nullptr;
    TReviewBoard* Board = nullptr;
    QPushButton *Previous = nullptr, *Next = nullptr;
};

// The point's text in the list: "Move 12, White 08:09 allowed a forced loss; better 07:09".
QString TurningPointText(const TTurningPoint& point);

// The review window: a list of turning points and the position before each, stepped through.
#include "ui/ReviewForm.h"

#include "core/LiveSettings.h"
#include "players/Analyser.h"
#include "ui/BoardPainter.h"
#include "ui/BoardSpeech.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

// The position before a turning point: the move played ringed in red, the better one as the
// first stone of a line.
class TReviewBoard final : public QWidget {
public:
    TReviewBoard(const TSearchPosition& game, QWidget* parent) : QWidget(parent), Game(game) {
        setMinimumSize(Game.Size * CellSize, Game.Size * CellSize);
        setAccessibleName(QStringLiteral("Reviewed position"));
    }
    void Show(const TTurningPoint* point) {
        Point = point;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const int side = std::min(width(), height()) / Game.Size;
        const auto cell = [&](int x, int y) { return QRect(x * side, y * side, side, side); };
        const std::size_t before = Point ? static_cast<std::size_t>(Point->Move - 1) : 0;
        for (int y = 0; y < Game.Size; ++y) {
            for (int x = 0; x < Game.Size; ++x) {
                PaintCell(painter, cell(x, y), Live.BoardColor, Live.BoardColor, NoStone);
            }
        }
        for (std::size_t i = 0; i < before && i < Game.Stones.size(); ++i) {
            PaintStone(painter, cell(Game.Stones[i].X, Game.Stones[i].Y), Game.Stones[i].Color);
        }
        if (Point != nullptr) {
            const QRect played = cell(Point->Played.X, Point->Played.Y);
            PaintGhostStone(painter, played, Point->Played.Color, 0);
            painter.setPen(QPen(Qt::red, 2));
            painter.drawRect(played.adjusted(1, 1, -2, -2));
            PaintGhostStone(painter, cell(Point->Better.X, Point->Better.Y), Point->Better.Color,
                            1);
        }
    }

private:
    static constexpr int CellSize = 17;
    TSearchPosition Game;
    const TTurningPoint* Point = nullptr;
};

namespace {

QString ColourName(TStoneColor c) {
    return c == BlackStone ? QStringLiteral("Black") : QStringLiteral("White");
}

} // namespace

QString TurningPointText(const TTurningPoint& p) {
    return QStringLiteral("Move %1, %2 %3 %4; better %5")
        .arg(p.Move)
        .arg(ColourName(p.Played.Color), SquareName(p.Played.X + 1, p.Played.Y + 1),
             p.WinMissed ? QStringLiteral("missed a win") : QStringLiteral("allowed a forced loss"),
             SquareName(p.Better.X + 1, p.Better.Y + 1));
}

TReviewForm::TReviewForm(const TSearchPosition& game, QWidget* parent)
    : QDialog(parent), Analyser(std::make_unique<TAnalyser>()), Game(game) {
    setWindowTitle(QStringLiteral("Review"));
    Words = new QLabel(QStringLiteral("Reviewing the game..."), this);
    Words->setWordWrap(true);
    List = new QListWidget(this);
    List->setAccessibleName(QStringLiteral("Moves that changed the result"));
    // The longest entry fits without scrolling, whatever the font and scale.
    const QString widest = TurningPointText({888, {18, 18, WhiteStone}, false, {18, 18}, {}});
    List->setMinimumWidth(List->fontMetrics().horizontalAdvance(widest) + 4 * List->frameWidth() +
                          List->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
    Board = new TReviewBoard(Game, this);
    Previous = new QPushButton(QStringLiteral("&Previous"), this);
    Next = new QPushButton(QStringLiteral("&Next"), this);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* steps = new QHBoxLayout;
    steps->addWidget(Previous);
    steps->addWidget(Next);
    steps->addStretch();
    steps->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Words);
    layout->addWidget(List, 1);
    layout->addWidget(Board, 0, Qt::AlignHCenter);
    layout->addLayout(steps);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(Previous, &QPushButton::clicked, this, [this] { Show(Shown() - 1); });
    connect(Next, &QPushButton::clicked, this, [this] { Show(Shown() + 1); });
    connect(List, &QListWidget::currentRowChanged, this, [this](int row) { Show(row); });
    connect(Analyser.get(), &TAnalyser::ReviewProgress, this, &TReviewForm::Progress);
    connect(Analyser.get(), &TAnalyser::ReviewDone, this, &TReviewForm::Done);
    Show(-1);
    Analyser->Review(Game, Game.Stones);
}

TReviewForm::~TReviewForm() = default; // the worker stops at once and is joined

int TReviewForm::Shown() const {
    return List->currentRow();
}

void TReviewForm::Progress(int done, int total) {
    Words->setText(QStringLiteral("Reviewing the game: %1 of %2 positions").arg(done).arg(total));
}

void TReviewForm::Done(const std::vector<TTurningPoint>& points) {
    Found = points;
    for (const TTurningPoint& p : Found) {
        List->addItem(TurningPointText(p));
    }
    Words->setText(Found.empty()
                       ? QStringLiteral("No move changed the result.")
                       : QStringLiteral("%1 moves changed the result:").arg(Found.size()));
    List->setAccessibleDescription(Words->text());
    Show(Found.empty() ? -1 : 0);
}

void TReviewForm::Show(int index) {
    const int count = static_cast<int>(Found.size());
    if (index >= count || (index < 0 && count > 0)) {
        return;
    }
    if (List->currentRow() != index) {
        List->setCurrentRow(index); // comes back here through the list's signal
        return;
    }
    Board->Show(index >= 0 ? &Found[static_cast<std::size_t>(index)] : nullptr);
    Board->setAccessibleDescription(index >= 0 ? List->item(index)->text() : QString());
    Previous->setEnabled(index > 0);
    Next->setEnabled(index + 1 < count);
}

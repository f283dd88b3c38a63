// Pixels of what the windows draw: smooth stones, panel bevels, the digit displays and the
// report's colons.
#include "MainFormTestSupport.h"

#include "ui/ShowWinner.h"

#include <QTabWidget>

namespace {

int Gray(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y));
}

TEST_F(MainFormTest, StonesAreSmoothedAtTheirRims) {
    Start();
    MakeMove(10, 10);
    MakeMove(12, 10); // the last move: the first stone stands on the board colour
    const QImage board = Board();
    int blended = 0;
    for (int d = 0; d < 13 * 13; ++d) {
        const QColor c = SquarePixel(board, 10, 10, 3 + d % 13, 3 + d / 13);
        blended += c != QColor(Qt::black) && c != QColor(Qt::cyan) && c != QColor(128, 128, 128);
    }
    EXPECT_GT(blended, 8) << "a jagged rim has no pixels between stone and board";
}

TEST_F(MainFormTest, PanelsShowTheirBevels) {
    Start();
    const QImage status = Form->StatusBar->grab().toImage();
    EXPECT_LT(Gray(status, 0, 0), Gray(status, status.width() - 1, status.height() - 1))
        << "lowered: dark at the top left, light at the bottom right";
    // Raised, on the players' page: both edges stand out from the panel's face.
    Options->show();
    Options->findChild<QTabWidget*>()->setCurrentIndex(1);
    const QWidget* panel = Options->findChild<QWidget*>("SelectColorPanel");
    const QImage dialog = Options->grab().toImage();
    const QPoint at = panel->mapTo(Options.get(), QPoint(0, panel->height() / 2));
    const int face = Gray(dialog, at.x() + 3, at.y());
    EXPECT_GE(Gray(dialog, at.x(), at.y()) - face, 12) << "light left edge";
    EXPECT_GE(face - Gray(dialog, at.x() + panel->width() - 1, at.y()), 12) << "dark right edge";
}

TEST_F(MainFormTest, UnlitSegmentsStayDimAndTheLastDigitClearOfItsBevel) {
    Start();
    Form->MovesDone->SetValue(1);
    const QImage moves = Form->MovesDone->grab().toImage();
    EXPECT_EQ(Gray(moves, 32 + 12, 6), 255); // the last cell's "1": its upper right bar lit
    EXPECT_LE(Gray(moves, 32 + 8, 3), 32);   // its top bar unlit, and dim
    // Right of the display (x = 509..556) its box's edge runs on as above it (y = 146).
    const QImage client = Form->centralWidget()->grab().toImage();
    int broken = 0;
    for (int d = 0; d < 3 * 21; ++d) {
        broken += client.pixel(556 + d % 3, 149 + d / 3) != client.pixel(556 + d % 3, 146);
    }
    EXPECT_EQ(broken, 0);
}

TEST(ReportLookTest, TheCaptionsColonsStandInOneColumn) {
    TWinnerForm report(nullptr);
    report.show();
    const QImage picture = report.grab().toImage();
    QList<int> colons; // the last lit column of each caption is its colon's
    for (QLabel* caption : {report.Label2, report.Label3, report.Label5, report.Label6,
                            report.Label4, report.Label1}) {
        int right = 0;
        for (int d = 0; d < caption->width() * caption->height(); ++d) {
            const QPoint at = caption->pos() + QPoint(d / caption->height(), d % caption->height());
            right = Gray(picture, at.x(), at.y()) > 128 ? at.x() : right;
        }
        colons << right;
    }
    EXPECT_EQ(colons, QList<int>(6, colons.first()));
}

} // namespace

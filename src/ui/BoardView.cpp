// The board grid of the main window: cell painting, immediate repaints, the hint flash, the turn
// indicator, the board cursor and the coordinate readout.
#include "ui/MainForm.h"

#include "core/GameState.h"
#include "core/Rules.h"
#include "game/EventPump.h"
#include "game/GameFlow.h"
#include "game/GameRules.h"
#include "timing/SuperTimer.h"
#include "ui/BoardPainter.h"
#include "ui/BoardSpeech.h"
#include "widgets/DateTimeValue.h"
#include "widgets/Digits.h"
#include "widgets/RxDrawGrid.h"
#include "widgets/TurnStone.h"

#include <QLabel>
#include <QMenu>
#include <QPainter>

namespace {

constexpr int CellSize = 19;
// The board's place: a grid of 19 squares of 19 pixels, lines between, inside a 2-pixel border.
constexpr QRect LargeBoardPlace(-1, 4, 384, 384);
constexpr int GridBorders = 4;
// The hint flash: hint colour, normal, hint colour, normal, timed 2 : 1 : 1.
constexpr int FlashFirstPauseMs = 400;
constexpr int FlashPauseMs = 200;

bool OnGrid(int col, int row) {
    return OnPlayedBoard(col + 1, row + 1);
}

// The side of a square that lets size squares, lines between, fill the 19 x 19 board's space.
int CellSizeFor(int size) {
    return (BoardSize * (CellSize + 1)) / size - 1;
}

} // namespace

void TMainForm::BuildBoard(QWidget* client) {
    CellGrid = new TRxDrawGrid(client);
    CellGrid->SetGridLineWidth(1);
    ShowBoardSize(BoardSize);
    CellGrid->setStatusTip(QStringLiteral("Think and make your move - not vice versa!"));
    CellGrid->setCursor(Qt::PointingHandCursor);
    CellGrid->setMouseTracking(true);
    CellGrid->setFocusPolicy(Qt::StrongFocus);
    CellGrid->setAccessibleName(QStringLiteral("Board"));
    CellGrid->setAccessibleDescription(
        QStringLiteral("Arrow keys, Home, End, Page Up and Page Down move; Space or Enter plays; "
                       "the Menu key rates the square"));
    CellGrid->SetOnCellText([](int col, int row) { return SquareText(col + 1, row + 1); });
    CellGrid->hide();
    CellGrid->SetOnDrawCell([this](TRxDrawGrid&, QPainter& canvas, int col, int row,
                                   const QRect& rect, TGridDrawState state) {
        CellGridDrawCell(canvas, col, row, rect);
        if (state & gdFocused) {
            PaintFocusFrame(canvas, rect);
        }
    });
    CellGrid->SetOnMouseDown([this](TRxDrawGrid&, Qt::MouseButton button, Qt::KeyboardModifiers,
                                    int x, int y) { CellGridMouseDown(button, x, y); });
    CellGrid->SetOnMouseUp([this](TRxDrawGrid&, Qt::MouseButton button, Qt::KeyboardModifiers,
                                  int x, int y) { CellGridMouseUp(button, x, y); });
    CellGrid->SetOnMouseMove([this](TRxDrawGrid&, Qt::MouseButton, Qt::KeyboardModifiers, int x,
                                    int y) { CellGridMouseMove(x, y); });
}

// A smaller board keeps the larger one's centre; the grid holds just its squares and the one
// non-fixed column and row it needs, which fall outside, so keys and clicks stop at its edge.
void TMainForm::ShowBoardSize(int size) {
    if (CellGrid->FixedCols() == size && CellGrid->ColCount() == size + 1) {
        return;
    }
    const int cell = CellSizeFor(size);
    const int outer = size * (cell + 1) + GridBorders;
    const int inset = (LargeBoardPlace.width() - outer) / 2;
    CellGrid->SetColCount(size + 1);
    CellGrid->SetRowCount(size + 1);
    CellGrid->SetFixedCols(size);
    CellGrid->SetFixedRows(size);
    CellGrid->SetDefaultColWidth(cell);
    CellGrid->SetDefaultRowHeight(cell);
    CellGrid->setGeometry(LargeBoardPlace.x() + inset, LargeBoardPlace.y() + inset, outer, outer);
    CellGrid->SetFocusCell(size / 2, size / 2);
    CellGrid->Invalidate();
    CellGrid->update();
}

void TMainForm::CellGridDrawCell(QPainter& canvas, int col, int row, const QRect& rect) {
    if (!OnGrid(col, row)) {
        return;
    }
    PaintBoardSquare(canvas, rect, col + 1, row + 1, ValueFromColor(CellGrid->FixedColor()));
    if (const int step = AnalysisStep(col + 1, row + 1);
        step > 0 && Game.Board[col + 1][row + 1] == NoStone) {
        PaintGhostStone(canvas, rect, AnalysisLine[static_cast<std::size_t>(step - 1)][2], step);
    }
}

void TMainForm::RepaintSquare(int X, int Y) {
    if (OnGrid(X - 1, Y - 1)) {
        CellGrid->DrawCellNow(X - 1, Y - 1);
    }
}

void TMainForm::SetBoardColor(TColorValue color) {
    CellGrid->SetFixedColor(ColorFromValue(color));
    CellGrid->SetColor(ColorFromValue(color));
}

void TMainForm::FlashHintSquare(int X, int Y) {
    if (!OnGrid(X - 1, Y - 1)) {
        return;
    }
    CellGrid->Announce(QStringLiteral("hint ") + SquareName(X, Y)); // the flash is seen only
    const QRect cell = CellGrid->CellRect(X - 1, Y - 1);
    const auto flash = [&] {
        CellGrid->PaintNow(cell,
                           [&](QPainter& canvas) { PaintHintFlash(canvas, cell, Live.HintColor); });
    };
    flash();
    PumpEventsFor(FlashFirstPauseMs);
    RepaintSquare(X, Y);
    PumpEventsFor(FlashPauseMs);
    flash();
    PumpEventsFor(FlashPauseMs);
    RepaintSquare(X, Y);
}

void TMainForm::BlinkTimerTimer() {
    const bool over = IsGameOver();
    NoughtImage->Blink(!over && Game.ColorToMove == WhiteStone);
    CrossImage->Blink(!over && Game.ColorToMove != WhiteStone);
    // Both stones now stand, and nothing more changes until a move, an undo or another game,
    // each of which passes ShowMovesDone, which wakes the timer again.
    if (over) {
        BlinkTimer->SetEnabled(false);
    }
}

void TMainForm::CellGridMouseDown(Qt::MouseButton button, int x, int y) {
    int col = -1, row = -1;
    CellGrid->MouseToCell(x, y, col, row);
    Guarded([&] { ::CellGridMouseDown(button, col, row); });
}

void TMainForm::CellGridMouseUp(Qt::MouseButton button, int x, int y) {
    ::CellGridMouseUp(button, x, y);
    if (button != Qt::RightButton) {
        return;
    }
    PopupMenu1Popup();
    if (Menu.XYPercent->isVisible()) {
        Menu.PopupMenu1->popup(CellGrid->mapToGlobal(CellGrid->ClientOrigin() + QPoint(x, y)));
    }
}

void TMainForm::PopupMenu1Popup() {
    int col = -1, row = -1;
    CellGrid->MouseToCell(Play.RightClickX, Play.RightClickY, col, row);
    const std::optional<int> rating = ::PopupMenu1Popup(col, row);
    Menu.XYPercent->setVisible(rating.has_value());
    if (rating) {
        Menu.XYPercent->setText(QStringLiteral("%1%").arg(*rating));
        CellGrid->Announce(
            QStringLiteral("%1 rates %2%").arg(SquareName(col + 1, row + 1)).arg(*rating));
    }
}

void TMainForm::CellGridMouseMove(int x, int y) {
    CellGrid->setCursor(Game.ColorToMove == WhiteStone ? WhiteCursor : BlackCursor);
    int col = -1, row = -1;
    CellGrid->MouseToCell(x, y, col, row);
    if (OnGrid(col, row)) {
        DigitalCoordinates->SetDateTime(EncodeTime(col + 1, row + 1, 0));
    }
}

// Analyse and Review, beyond the written game: Emperor's judgement of the position on the status
// bar and its line on the board, and the review of a finished game.
#include "ui/MainForm.h"

#include "core/GameState.h"
#include "core/Rules.h"
#include "game/ComputerTurn.h"
#include "game/PlayRecord.h"
#include "players/Analyser.h"
#include "ui/BoardSpeech.h"
#include "ui/MainHints.h"
#include "ui/ReviewForm.h"
#include "widgets/RxDrawGrid.h"

#include <QAction>
#include <QLabel>
#include <QTimer>

namespace {

// The running game as the search takes it: its moves in order, squares from 0.
TSearchPosition GamePosition() {
    TSearchPosition p{Play.Rules.Size, {}, Game.ColorToMove, Play.Rules.Rule};
    for (int i = 1; i <= Game.MoveCount; ++i) {
        const TMoveRecord& m = Game.Moves[i];
        p.Stones.push_back({m.X - 1, m.Y - 1, m.Color});
    }
    return p;
}

QString PositionKey(const TSearchPosition& p) {
    QString key = QStringLiteral("%1 %2 %3:").arg(p.Size).arg(int(p.Rule)).arg(p.ToMove);
    for (const TSearchStone& s : p.Stones) {
        key += QStringLiteral(" %1,%2").arg(s.X).arg(s.Y);
    }
    return key;
}

} // namespace

void TMainForm::BuildAnalysis() {
    Menu.Analyse1->setCheckable(true);
}

void TMainForm::Analyse1Click() {
    ScheduleAnalysis();
}

// The analysis rests while the review thinks: the two would share the processor.
void TMainForm::Review1Click() {
    Reviewing = true;
    RefreshAnalysis();
    TReviewForm review(GamePosition(), this);
    review.exec();
    Reviewing = false;
    ScheduleAnalysis();
}

int TMainForm::AnalysisStep(int X, int Y) const {
    for (std::size_t i = 0; i < AnalysisLine.size(); ++i) {
        if (AnalysisLine[i][0] == X && AnalysisLine[i][1] == Y) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

// A move brings several changes in a row (the stone, the computer asked, the status): the
// analysis follows once they are through, so it does not start for a position that is gone.
void TMainForm::ScheduleAnalysis() {
    if (!std::exchange(AnalysisQueued, true)) {
        QTimer::singleShot(0, this, [this] {
            AnalysisQueued = false;
            RefreshAnalysis();
        });
    }
}

void TMainForm::RefreshAnalysis() {
    Menu.Review1->setEnabled((Game.FiveMade || IsTie()) && !ComputerThinking());
    if (!Menu.Analyse1->isChecked() || Reviewing || !isVisible() || isMinimized()) {
        if (AnalysisWorker != nullptr) {
            AnalysisWorker->Stop();
            ClearAnalysis({});
        }
        return;
    }
    if (AnalysisWorker == nullptr) { // made on first use: its tables cost start-up nothing
        AnalysisWorker = std::make_unique<TAnalyser>();
        connect(AnalysisWorker.get(), &TAnalyser::Analysed, this, &TMainForm::ShowAnalysis);
    }
    // On two cores a second search would take half the computer player's time.
    if (ComputerThinking()) {
        AnalysisWorker->Stop();
        ClearAnalysis(QStringLiteral("Analysis waits for the computer's move"));
        return;
    }
    const TSearchPosition position = GamePosition();
    const QString key = PositionKey(position);
    if (key == AnalysedKey) {
        return;
    }
    ClearAnalysis(QStringLiteral("Analysing..."));
    AnalysedKey = key;
    AnalysisWorker->Analyse(position);
}

void TMainForm::ClearAnalysis(const QString& words) {
    AnalysedKey.clear();
    AnalysisText = words;
    HintHook->SetResting(words);
    if (!AnalysisLine.empty()) {
        AnalysisLine.clear();
        CellGrid->Invalidate();
        CellGrid->update();
    }
}

void TMainForm::ShowAnalysis(const TAnalysis& analysis) {
    const QString words = QString::fromStdString(::AnalysisWords(analysis));
    AnalysisLine.clear();
    for (const TSearchStone& s : analysis.Line) {
        AnalysisLine.push_back({s.X + 1, s.Y + 1, s.Color});
    }
    CellGrid->Invalidate();
    CellGrid->update();
    QString line;
    for (const TSearchStone& s : analysis.Line) {
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + SquareName(s.X + 1, s.Y + 1);
    }
    StatusBar->setAccessibleDescription(line.isEmpty() ? QString()
                                                       : QStringLiteral("Best line ") + line);
    if (words != AnalysisText) { // a deeper think that agrees is not read again
        AnalysisText = words;
        HintHook->SetResting(words);
        CellGrid->Announce(QStringLiteral("Analysis: ") + words);
    }
}

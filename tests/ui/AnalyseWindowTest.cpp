// Analyse and Review in the real window: the words and the line follow the game, the worker
// stops when Analyse goes off, and the review lists planted mistakes and steps between them.
#include "WindowTestSupport.h"

#include "players/Analyser.h"
#include "ui/ReviewForm.h"

#include <QListWidget>
#include <QPushButton>

namespace {

using AnalyseWindowTest = WindowTest;

TEST_F(AnalyseWindowTest, WordsAndLineFollowTheGameAndTheWorkerStopsWhenSwitchedOff) {
    StartWith({{"HUMAN vs HUMAN", "1"}});
    const auto WaitForWords = [this](const QString& start) {
        return QTest::qWaitFor([&] { return Form->AnalysisWords().startsWith(start); }, 20000);
    };
    // A balanced opening, its score far from "better" at every depth (two stones are not: the
    // first player's move is worth "better" to some depths and not to others).
    Do("8,8 11,12 10,10");
    Items().Analyse1->trigger();
    ASSERT_TRUE(WaitForWords("Even")) << Form->AnalysisWords().toStdString();
    // Deeper thinks follow the first.
    EXPECT_EQ(Line(Form->StatusBar->text(), Form->AnalysisStep(8, 8), Form->Analyser()->Working()),
              "Even 0 true");
    Form->hide();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Form->Analyser()->Working(); }, 1000));
    Form->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Form->Analyser()->Working(); }, 1000));
    Items().Analyse1->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Form->Analyser()->Working(); }, 1000));
    EXPECT_EQ(Line(Form->AnalysisWords().isEmpty(), Form->StatusBar->text().isEmpty()),
              "true true");

    // The first player's open three on row 8, answered elsewhere: a win by fours.
    Items().Analyse1->trigger();
    Do("1,1 7,8 9,7 6,8 1,2");
    const QString first = Game.Moves[1].Color == BlackStone ? "Black" : "White";
    ASSERT_TRUE(WaitForWords(first + " wins in 2 by fours")) << Form->AnalysisWords().toStdString();
    const bool left = Form->AnalysisStep(5, 8) == 1;
    EXPECT_TRUE((left || Form->AnalysisStep(9, 8) == 1) &&
                Form->StatusBar->accessibleDescription().startsWith("Best line "));
    Do(left ? "5,8" : "9,8");
    ASSERT_TRUE(WaitForWords(first + " wins in 1"));
    Items().Analyse1->trigger();
    QApplication::processEvents();
    for (int x = 1; x <= BoardSize; ++x) {
        EXPECT_EQ(Form->AnalysisStep(x, 8), 0) << x;
    }
}

TEST_F(AnalyseWindowTest, ReviewListsEachMistakeWithABetterMoveAndStepsToIt) {
    StartWith({{"HUMAN vs HUMAN", "1"}});
    // White's 6th ignores black's open three, black's 7th misses the open four, white blocks.
    TSearchPosition game{15, {}, BlackStone, TRule::Freestyle};
    for (auto [x, y] :
         {std::pair{7, 7}, {8, 8}, {6, 7}, {8, 6}, {5, 7}, {0, 0}, {12, 12}, {4, 7}}) {
        game.Stones.push_back({x, y, game.Stones.size() % 2 ? WhiteStone : BlackStone});
    }
    TReviewForm review(game, Form.get());
    ASSERT_TRUE(QTest::qWaitFor([&] { return review.Points()->count() > 0; }, 30000));
    ASSERT_EQ(review.Points()->count(), 2);
    QStringList seen{review.Points()->item(0)->text().left(46),
                     review.Points()->item(1)->text().left(32)};
    for (QPushButton* step : {review.NextButton(), review.PreviousButton(), review.NextButton()}) {
        seen << Line(review.Shown(), review.PreviousButton()->isEnabled(),
                     review.NextButton()->isEnabled());
        step->click();
    }
    EXPECT_EQ(seen, QStringList({"Move 6, White 01:01 allowed a forced loss; bet",
                                 "Move 7, Black 13:13 missed a win", "0 false true", "1 true false",
                                 "0 false true"}));
}

} // namespace

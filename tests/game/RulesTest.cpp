// The game under another rule or board size: the tie of a smaller board, squares forbidden to
// black, the hint and rating, the question to the computer and the save's formats (what wins is
// the judge's table and the rule games' window test).
#include "GameFlowTestSupport.h"

#include "game/ComputerCommands.h"
#include "game/GameFiles.h"
#include "game/GameRules.h"
#include "game/PlayRecord.h"
#include "game/VariantsJudge.h"

#include <QDir>
#include <QTemporaryDir>
#include <QVariant>

namespace {

template <typename... T> std::string Line(const T&... parts) {
    return QStringList{QVariant(parts).toString()...}.join(' ').toStdString();
}

QString OnlyTheCentre(int X, int Y) {
    return X == CentreSquare && Y == CentreSquare ? QStringLiteral("double three") : QString();
}

class TAskedPlayer final : public TComputerPlayer {
public:
    TMoveQuestion Last;
    QString Name() const override { return QStringLiteral("Asked"); }
    void Ask(const TMoveQuestion& question) override { Last = question; }
    void Cancel() override {}
};

class RulesTest : public GameFlowTest {
protected:
    void SetUp() override {
        GameFlowTest::SetUp();
        Options.Computer = false;
        StoredHumanHumanValue = true;
    }
    void TearDown() override {
        InstallRuleJudge(VariantsJudge());
        InstallComputerPlayer(nullptr);
        GameFlowTest::TearDown();
    }
    void NewGameUnder(TRule rule, int size, TRuleJudge judge = VariantsJudge()) {
        InstallRuleJudge(std::move(judge));
        Options.Rules = {rule, TOpening::None, size};
        NewGame1Click(false);
    }
    // Clicks "X,Y" squares in turn; "refused" for each click the board did not take.
    QString Clicks(const QString& squares) {
        QStringList refused;
        for (const QString& square : squares.split(' ', Qt::SkipEmptyParts)) {
            if (!CellGridMouseDown(Qt::LeftButton, square.section(',', 0, 0).toInt() - 1,
                                   square.section(',', 1).toInt() - 1)) {
                refused << square;
            }
        }
        return refused.join(' ');
    }
};

TEST_F(RulesTest, ASmallerBoardTakesStonesOnItsSquaresOnlyAndIsTiedOnItsOwnWindows) {
    NewGameUnder(TRule::Freestyle, SmallBoardSize);
    EXPECT_EQ(Clicks("16,1 1,16 15,15 19,19 1,1"), "16,1 1,16 19,19");
    // Every square of 15 x 15 filled so that no line of five forms: the tie, which the same
    // stones do not make on 19 x 19, where the windows beyond stay open.
    const auto fill = [](int size) {
        ResetGameState();
        Play.Rules.Size = size;
        InstallGameFlow();
        for (int X = 1; X <= SmallBoardSize; ++X) {
            for (int Y = 1; Y <= SmallBoardSize; ++Y) {
                ReplayMove(X, Y, (X + 2 * Y) % 4 < 2 ? BlackStone : WhiteStone);
            }
        }
        return Line(Game.MoveCount, Game.FiveMade, IsGameOver());
    };
    EXPECT_EQ(fill(SmallBoardSize), "225 false true");
    EXPECT_EQ(fill(LargeBoardSize), "225 false false");
}

TEST_F(RulesTest, AForbiddenSquareRefusesBlacksClickAndIsNeverHintedOrRated) {
    Options.FirstWhite = false; // black moves first
    // The refused click, the hint's square and whether Hint is offered, the centre's rating.
    const std::tuple<TRule, int, QString, std::pair<int, int>, bool, QString> rows[] = {
        {TRule::Renju, LargeBoardSize, "10,10", {1, 1}, true, "none"},
        {TRule::Standard, LargeBoardSize, "", {9, 9}, true, "none"}, // no forbidden squares
        {TRule::Renju, SmallBoardSize, "10,10", {1, 1}, true, "none"},
    };
    for (const auto& [rule, size, forbidden, hint, hintEnabled, centreRating] : rows) {
        NewGameUnder(rule, size, {{}, OnlyTheCentre});
        View.Status.clear();
        View.Flashed = {0, 0};
        const QString refused = Clicks("10,10");
        const std::optional<int> rating = SquareRatingUnderRules(10, 10);
        Hint1Click();
        EXPECT_EQ(Line(refused, View.Status, View.Flashed.first, View.Flashed.second,
                       View.Enabled[TCommand::Hint], Play.HintsUsedCount,
                       rating ? QString::number(*rating) : "none"),
                  Line(forbidden, forbidden.isEmpty() ? "" : "Forbidden to black: double three",
                       hint.first, hint.second, hintEnabled, hintEnabled ? 1 : 0, centreRating));
    }
    // Once black has played, white may take the square.
    NewGameUnder(TRule::Renju, LargeBoardSize, {{}, OnlyTheCentre});
    EXPECT_EQ(Clicks("1,1 10,10"), "");
}

TEST_F(RulesTest, OnASmallerBoardTheHintAndRatingWeighOnlyTheLinesThatFitOnIt) {
    // Black's three on row 8 runs into the right edge past white's 11,8: dead on 15 x 15 only.
    Options.FirstWhite = false;
    std::string seen;
    for (int size : {SmallBoardSize, LargeBoardSize}) {
        NewGameUnder(TRule::Freestyle, size);
        Clicks("15,8 11,8 14,8 1,1 13,8 1,3");
        Hint1Click();
        seen += Line(size, View.Flashed.first, View.Flashed.second,
                     SquareRatingUnderRules(12, 8).value_or(-1), "");
    }
    EXPECT_EQ(seen, "15 14 7 12 19 16 8 46 ");
}

TEST_F(RulesTest, APlayerThatAnswersASquareForbiddenToBlackLosesTheGameAndIsToldSo) {
    Options.FirstWhite = false;
    NewGameUnder(TRule::Renju, LargeBoardSize);
    ASSERT_EQ(Clicks("8,11 1,1 9,11 1,3 10,9 1,5 10,10 1,7"), "");
    TAskedPlayer asked;
    InstallComputerPlayer(&asked);
    AskComputerMove();
    emit asked.Answered(asked.Last.Ticket, 10, 11); // a double three; 11,10 is no foul
    EXPECT_EQ(Line(Game.MoveCount, IsGameOver(), Game.Winner == WhiteStone, Ports.GameReports,
                   ComputerThinking(), View.Status),
              Line(8, true, true, 1, false,
                   "Asked answered 10:11, forbidden to black (double three), and loses the game"));
}

TEST_F(RulesTest, SaveOffersTheFormatsThatKeepTheGameAndRefusesRnrForAnyOther) {
    QTemporaryDir dir;
    const QString all = "Rennor .RNR files|*.rnr|SGF records|*.sgf|PSQ records|*.psq";
    const QString records = "SGF records|*.sgf|PSQ records|*.psq";
    const QString refusal = QString(RnrKeepsWrittenGameOnly) + '.';
    // The name typed, the save dialog's filter or the error shown, the file written.
    const std::tuple<TRule, int, QString, QString, QString> rows[] = {
        {TRule::Freestyle, LargeBoardSize, "a", all, "a.rnr"},
        {TRule::Freestyle, LargeBoardSize, "b.SGF", all, "b.SGF"},
        {TRule::Freestyle, SmallBoardSize, "c", records, "c.sgf"},
        {TRule::Standard, SmallBoardSize, "d.psq", records, "d.psq"},
        {TRule::Renju, LargeBoardSize, "e.rnr", refusal, ""},
        {TRule::Renju, LargeBoardSize, "f.txt", refusal, ""},
    };
    for (const auto& [rule, size, typed, filter, written] : rows) {
        NewGameUnder(rule, size);
        Ports.Errors.clear();
        Ports.FileNames = {dir.filePath(typed)};
        SaveGame1Click();
        EXPECT_EQ(Line(Ports.Errors.isEmpty() ? SaveDialogSpec().Filter : Ports.Errors.join('|'),
                       QDir(dir.path()).entryList({typed.left(1) + ".*"}).join(' ')),
                  Line(filter, written))
            << typed.toStdString();
    }
    EXPECT_EQ(LoadDialogSpec().Filter, all);
}

} // namespace

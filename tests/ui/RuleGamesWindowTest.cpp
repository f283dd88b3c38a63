// A game of each rule and opening played to its end in the real main window: between people by
// clicks and scripted colour choices, against Rennor Emperor, and in auto play.
#include "WindowTestSupport.h"

#include "game/ComputerTurn.h"
#include "game/Sides.h"

namespace {

class RuleGamesWindowTest : public WindowTest {
protected:
    // The marked squares of the board as drawn: a dot of the other stone's colour in a stone.
    QString MarkedFive() const {
        const QImage board = Board();
        const int centre = Grid().DefaultColWidth() / 2;
        QStringList marked;
        for (int X = 1; X <= Grid().ShownCols(); ++X) {
            for (int Y = 1; Y <= Grid().ShownRows(); ++Y) {
                const bool black = Game.Board[X][Y] == BlackStone;
                const QString mark = black ? "00ffff" : "000000";
                if (Game.Board[X][Y] != NoStone && Pixel(board, X, Y, centre, centre) == mark) {
                    marked << QString::asprintf("%c%d,%d", black ? 'B' : 'W', X, Y);
                }
            }
        }
        return marked.join(' ');
    }
    // Clicks each square when the human may move; a click the board refuses while the game runs
    // is told with the status bar's reason. With playOn the human goes on, on squares apart that
    // never line up, until the game ends.
    QString PlayClicks(const QString& squares, bool playOn) {
        QStringList clicks = squares.split(' ', Qt::SkipEmptyParts), refused;
        for (int Y = 1; playOn && Y <= Grid().ShownRows(); Y += 2) {
            for (int X = 1; X <= Grid().ShownCols(); X += 2) {
                clicks << Line(X) + ',' + Line(Y);
            }
        }
        for (const QString& square : clicks) {
            const int X = square.section(',', 0, 0).toInt(), Y = square.section(',', 1).toInt();
            EXPECT_TRUE(
                QTest::qWaitFor([] { return IsGameOver() || !ComputerHoldsColorToMove(); }, 60000));
            if (IsGameOver()) {
                break;
            }
            if (Game.Board[X][Y] != NoStone) {
                continue;
            }
            const int before = Game.MoveCount;
            Do(square);
            if (Game.MoveCount == before) {
                refused << square + ": " + Form->StatusBar->text();
            }
        }
        return refused.join(", ");
    }
};

// Stored choices of a row: the rule, the opening, the board size and who plays.
using TSetup = std::array<const char*, 4>;

TEST_F(RuleGamesWindowTest, EachRuleAndOpeningIsPlayedToItsEndAndItsWinnerNamed) {
    // People choose through the ports; the first player holds black (or places the first stones).
    // What the row plays: people's clicks, or the human's opening stones against Rennor Emperor
    // (who then wins), or "A" for auto play. Seen: the report's winner, the status bar, the names
    // beside white and black, the drawn five (against the
    // computer: whether five or more are marked), the people asked to choose,
    // the clicks refused.
    const std::tuple<TSetup, std::vector<TOpeningChoice>, QString, QString> rows[] = {
        // Black's six wins nothing; white's five does.
        {{"Standard", "None", "19", "people"},
         {},
         "1,1 1,10 2,1 2,10 3,1 3,10 4,1 10,15 6,1 11,15 5,1 4,10 19,19 5,10",
         "Player 2 | Player 2 won the game | Player 2 / Player 1 | W1,10 W2,10 W3,10 W4,10 "
         "W5,10 | asked: |"},
        // 3,3 would make two threes for black: refused with the reason, and black plays on.
        {{"Renju", "None", "15", "people"},
         {},
         "4,3 10,10 5,3 10,12 3,4 12,10 3,5 12,12 3,3 8,8 14,14 8,9 14,1 8,10 1,14 8,11 14,7 8,12",
         "Player 1 | Player 1 won the game | Player 2 / Player 1 | B8,8 B8,9 B8,10 B8,11 B8,12 | "
         "asked: | "
         "3,3: Forbidden to black: double three"},
        // The second player takes black and the game goes on from the fourth stone.
        {{"Freestyle", "Swap", "19", "people"},
         {TOpeningChoice::PlayBlack},
         "10,10 11,11 10,12 1,1 10,11 2,1 10,13 3,1 10,14",
         "Player 2 | Player 2 won the game | Player 1 / Player 2 | B10,10 B10,11 B10,12 B10,13 "
         "B10,14 | asked: Player 2 |"},
        // The second places two more; the first then takes white.
        {{"Standard", "Swap2", "15", "people"},
         {TOpeningChoice::PlaceTwoMore, TOpeningChoice::PlayWhite},
         "8,8 9,9 8,10 12,12 8,12 12,13 1,1 12,11 1,3 12,10 1,5 12,14",
         "Player 1 | Player 1 won the game | Player 1 / Player 2 | W12,10 W12,11 W12,12 W12,13 "
         "W12,14 | asked: Player 2, may place two Player 1 |"},
        {{"Freestyle", "Swap", "19", "Emperor"},
         {},
         "1,1 10,10 19,19", // white's centre against black's corners: Emperor takes white
         "Rennor Emperor | Rennor Emperor won the game | Rennor Emperor / Player 1 | five | asked: "
         "|"},
        {{"Renju", "Swap2", "15", "Emperor"},
         {TOpeningChoice::PlayWhite},
         "1,1 8,8 15,15",
         "Rennor Emperor | Rennor Emperor won the game | Rennor Emperor / Player 1 | five | asked: "
         "|"},
        {{"Freestyle", "Swap2", "19", "auto"},
         {},
         "A",
         "five | asked: |"}, // 19 x 19: no tie in sight
    };
    for (const auto& [setup, choices, moves, expected] : rows) {
        const bool people = setup[3] == QLatin1String("people");
        StartWith({{"RULE", setup[0]},
                   {"OPENING", setup[1]},
                   {"BOARD SIZE", setup[2]},
                   {"HUMAN vs HUMAN", people ? "1" : "0"},
                   {"PLAYER1 COLOR", "0"},
                   {"COMPUTER PLAYER", "Rennor Emperor"},
                   {"MOVE TIME", "100"}});
        Ports->OpeningChoices = {choices.begin(), choices.end()};
        const QString refused = moves == "A" ? (Do(moves), "") : PlayClicks(moves, !people);
        const QString five = MarkedFive();
        const QString winner = Ports->Reports.value(0).section(':', 0, 0);
        const QString holder =
            five.startsWith('W') ? Form->MainName1->text() : Form->MainName2->text();
        const QString seen =
            Line(winner, "|", Ports->StatusAtReport.value(0), "|", Form->MainName1->text(), "/",
                 Form->MainName2->text(), "|", people || five.count(' ') < 4 ? five : "five", "|",
                 (QStringList{"asked:"} + Ports->OpeningChoosers).join(' '), "|") +
            (refused.isEmpty() ? "" : " " + refused);
        EXPECT_EQ(Line(Ports->Reports.size(), moves == "A" ? seen.section(" | ", 3) : seen),
                  Line(1, expected))
            << setup[0] << ' ' << setup[1] << ' ' << setup[3] << ' ' << MovesMade().toStdString();
        // The five's holder won, by the report and the status bar.
        EXPECT_EQ(Line(winner, "/", Ports->StatusAtReport.value(0)),
                  Line(holder, "/", holder, "won the game"));
    }
}

} // namespace

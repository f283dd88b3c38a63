// The swap openings: people placing and choosing through the ports, the computer through Emperor.
#include "GameFlowTestSupport.h"

#include "game/ComputerCommands.h"
#include "game/ComputerTurn.h"
#include "game/MoveHistory.h"
#include "game/Opening.h"

namespace {

class OpeningTest : public GameFlowTest {
protected:
    void StartBetweenPeople(TOpening opening) {
        StoredHumanHumanValue = true;
        Options.Computer = false;
        Options.Rules.Opening = opening;
        NewGame1Click(false);
    }
    void Click(int X, int Y) { ASSERT_TRUE(CellGridMouseDown(Qt::LeftButton, X - 1, Y - 1)); }
    std::vector<TStoneColor> Colours() const {
        std::vector<TStoneColor> colours;
        for (int i = 1; i <= Game.MoveCount; ++i) {
            colours.push_back(Game.Moves[i].Color);
        }
        return colours;
    }
};

constexpr TStoneColor B = BlackStone, W = WhiteStone;

TEST_F(OpeningTest, SwapBetweenPeopleTheSecondChoosesAndTheNamesFollow) {
    // Ann, first to move, places; Bob's colour decides who plays which from the fourth stone on.
    const std::tuple<TOpeningChoice, QString, QString, bool> cases[] = {
        {TOpeningChoice::PlayWhite, "Bob", "Ann", false},
        {TOpeningChoice::PlayBlack, "Ann", "Bob", true}};
    for (const auto& [choice, white, black, switched] : cases) {
        StartBetweenPeople(TOpening::Swap);
        EXPECT_EQ(View.Status, "Ann: Place the first three stones: black, white, black");
        Ports.OpeningChoices = {choice};
        Ports.OpeningChoosers.clear();
        Click(10, 10), Click(11, 11), Click(10, 12);
        EXPECT_EQ(Ports.OpeningChoosers, QStringList{"Bob"});
        EXPECT_EQ(View.Names, std::pair(white, black));
        EXPECT_EQ(Play.SidesSwitched, switched);
        Click(9, 9);
        EXPECT_EQ(Colours(), (std::vector{B, W, B, W}));
        // Undo goes back a stone at a time, into the opening and its choice.
        Undo1Click(), Undo1Click();
        EXPECT_EQ(View.Names, std::pair(QString("Bob"), QString("Ann")));
        EXPECT_EQ(OpeningStep(), TOpeningStep::PlaceThree);
    }
}

TEST_F(OpeningTest, TheComputerPlacesAndThenAnswersTheHumansChoice) {
    Options.WhoFirst = QStringLiteral("2nd Player is First");
    Options.Rules.Opening = TOpening::Swap;
    Ports.OpeningChoices = {TOpeningChoice::PlayBlack};
    NewGame1Click(false);
    WaitForComputerMove();
    EXPECT_EQ(Ports.OpeningChoosers, QStringList{"Ann"});
    EXPECT_EQ(Colours(), (std::vector{B, W, B, W}));
    EXPECT_EQ(View.Names, std::pair(QString("Rennor King"), QString("Ann")));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_LE(std::abs(Game.Moves[i].X - 10) + std::abs(Game.Moves[i].Y - 10), 4);
    }
}

} // namespace

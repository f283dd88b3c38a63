// The swap openings: the steps follow from the stones on the board and the choices made on them.
#include "game/Opening.h"

#include "core/Rules.h"
#include "game/ComputerTurn.h"
#include "game/DialogOptions.h"
#include "game/MainView.h"
#include "game/PlayRecord.h"
#include "game/Ports.h"
#include "game/Sides.h"
#include "storage/SettingNames.h"

namespace {

constexpr int ThreeStones = 3;
constexpr int FiveStones = 5;

bool IsChoice(TOpeningStep step) {
    return step == TOpeningStep::ChooseAtThree || step == TOpeningStep::ChooseAtFive;
}

bool PlacerTakes(TOpeningStep step) {
    return step == TOpeningStep::PlaceThree || step == TOpeningStep::ChooseAtFive;
}

// The first player is the human against the computer, "Player 1" between two people.
bool FirstPlayerTakes(TOpeningStep step) {
    return PlacerTakes(step) == Play.FirstPlayerPlaces;
}

bool ComputerTakes(TOpeningStep step) {
    return Play.AutoPlaying || (DialogOptions().HumanComputer() && !FirstPlayerTakes(step));
}

bool MayPlaceTwo(TOpeningStep step) {
    return step == TOpeningStep::ChooseAtThree && Play.Rules.Opening == TOpening::Swap2;
}

int OpeningStones() {
    return Play.ChoiceAtThree == TOpeningChoice::PlaceTwoMore ? FiveStones : ThreeStones;
}

// The stones after the third are placed by the player who chose to place them.
bool ComputerPlaced(int stone) {
    const TOpeningStep step =
        stone <= ThreeStones ? TOpeningStep::PlaceThree : TOpeningStep::PlaceTwo;
    return DialogOptions().HumanComputer() && !FirstPlayerTakes(step);
}

// The placer holds black until a choice gives them white.
TStoneColor PlacerStone() {
    if (Play.ChoiceAtFive) {
        return *Play.ChoiceAtFive == TOpeningChoice::PlayBlack ? BlackStone : WhiteStone;
    }
    return Play.ChoiceAtThree == TOpeningChoice::PlayBlack ? WhiteStone : BlackStone;
}

void ShowOpeningSides() {
    const TStoneColor placer = PlacerStone();
    Play.HumanStone = Play.FirstPlayerPlaces ? placer : Opponent(placer);
    ShowPlayerNames();
}

QString TakerName(TOpeningStep step) {
    const TDialogOptions& o = DialogOptions();
    return FirstPlayerTakes(step) ? o.FirstPlayerLabel() : o.SecondPlayerLabel();
}

// Between two people the status bar names whose step it is; against the computer it is the human's.
void AnnounceStep(TOpeningStep step) {
    if (step == TOpeningStep::Over || ComputerTakes(step)) {
        return;
    }
    const QString text = OpeningStepText(step);
    MainView().ShowStatusText(DialogOptions().HumanComputer()
                                  ? text
                                  : QStringLiteral("%1: %2").arg(TakerName(step), text));
}

void TakeChoice(TOpeningStep step, TOpeningChoice choice) {
    if (choice == TOpeningChoice::PlaceTwoMore && !MayPlaceTwo(step)) {
        choice = TOpeningChoice::PlayWhite;
    }
    (step == TOpeningStep::ChooseAtThree ? Play.ChoiceAtThree : Play.ChoiceAtFive) = choice;
    if (choice != TOpeningChoice::PlaceTwoMore && PlacerStone() == WhiteStone) {
        Play.SidesSwitched = true; // the first stones' player ends up with the other colour
    }
    ShowOpeningSides();
    ContinueOpening();
}

} // namespace

TOpeningStep OpeningStep() {
    if (Play.Rules.Opening == TOpening::None) {
        return TOpeningStep::Over;
    }
    const int stones = Game.MoveCount;
    if (stones < ThreeStones) {
        return TOpeningStep::PlaceThree;
    }
    if (!Play.ChoiceAtThree) {
        return stones == ThreeStones ? TOpeningStep::ChooseAtThree : TOpeningStep::Over;
    }
    if (*Play.ChoiceAtThree != TOpeningChoice::PlaceTwoMore) {
        return TOpeningStep::Over;
    }
    if (stones < FiveStones) {
        return TOpeningStep::PlaceTwo;
    }
    return stones == FiveStones && !Play.ChoiceAtFive ? TOpeningStep::ChooseAtFive
                                                      : TOpeningStep::Over;
}

bool ComputerTakesOpeningStep() {
    const TOpeningStep step = OpeningStep();
    return step != TOpeningStep::Over && ComputerTakes(step);
}

QString OpeningStepText(TOpeningStep step) {
    switch (step) {
    case TOpeningStep::PlaceThree:
        return QStringLiteral("Place the first three stones: black, white, black");
    case TOpeningStep::ChooseAtThree:
        return MayPlaceTwo(step) ? QStringLiteral("Choose your colour, or place two more stones")
                                 : QStringLiteral("Choose your colour");
    case TOpeningStep::PlaceTwo:
        return QStringLiteral("Place two more stones: white, black");
    case TOpeningStep::ChooseAtFive:
        return QStringLiteral("Choose your colour");
    case TOpeningStep::Over:
        break;
    }
    return {};
}

void StartOpening() {
    if (Play.Rules.Opening == TOpening::None) {
        return;
    }
    Play.FirstPlayerPlaces =
        DialogOptions().WhoMovesFirstCaption() == QLatin1String(FirstPlayerIsFirst);
    ShowOpeningSides();
    ContinueOpening();
}

void ContinueOpening() {
    const TOpeningStep step = OpeningStep();
    if (step == TOpeningStep::Over) {
        MainView().ClearStatusText();
        if (ComputerHoldsColorToMove() && !ComputerThinking()) {
            AskComputerMove();
        }
    } else if (ComputerTakes(step)) {
        if (!Play.AutoPlaying) { // auto play asks at its own pace
            AskComputerMove();
        }
    } else {
        AnnounceStep(step);
        if (IsChoice(step)) {
            TakeChoice(step, Ports().AskOpeningChoice(TakerName(step), MayPlaceTwo(step)));
        }
    }
}

void TakeOpeningDecision(const std::vector<TMoveRecord>& stones, TOpeningChoice choice) {
    const TOpeningStep step = OpeningStep();
    if (IsChoice(step)) {
        TakeChoice(step, choice);
        return;
    }
    for (const TMoveRecord& m : stones) {
        if (SquareOpen(m.X, m.Y)) {
            MakeMove(m.X, m.Y);
        }
    }
    ContinueOpening();
}

bool UndoOpeningStone() {
    if (Play.Rules.Opening == TOpening::None || Game.MoveCount > OpeningStones()) {
        return false;
    }
    int stones = Game.MoveCount;
    while (stones > 0 && ComputerPlaced(stones)) {
        --stones;
    }
    if (stones > 0) {
        CancelComputerMove();
        RebuildPosition(stones - 1);
        CountUse(Play.UndoUsedCount);
    }
    return true;
}

void OpeningFollowsPosition() {
    if (Play.Rules.Opening == TOpening::None) {
        return;
    }
    if (Game.MoveCount < FiveStones) {
        Play.ChoiceAtFive.reset();
    }
    if (Game.MoveCount < ThreeStones) {
        Play.ChoiceAtThree.reset();
    }
    if (Game.MoveCount <= OpeningStones()) {
        ShowOpeningSides();
        AnnounceStep(OpeningStep());
    }
}

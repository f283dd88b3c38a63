// Asking the chosen player, and taking its answer, cancellation or failure on the UI thread.
#include "game/ComputerTurn.h"

#include "core/Rules.h"
#include "game/GameRules.h"
#include "game/MainView.h"
#include "game/Opening.h"
#include "game/PlayRecord.h"
#include "game/Ports.h"
#include "players/EmperorPlayer.h"
#include "players/KingPlayer.h"
#include "players/OpeningAdvisor.h"
#include "players/PlayerSetup.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <algorithm>
#include <array>
#include <vector>

namespace {

struct TWaitingQuestion {
    bool Waiting = false;
    std::uint64_t Ticket = 0;
    std::vector<TMoveRecord> Moves;
    TStoneColor ToMove = BlackStone;
    bool StatusShown = false;
    bool ForOpening = false; // asked of the opening advisor, not of the player
};

TWaitingQuestion Question;
std::uint64_t LastTicket = 0;
// Guarded pointers: a player that goes without being replaced leaves Rennor King, not a dangling
// pointer, and a new player at its old address is linked afresh.
QPointer<TComputerPlayer> Installed;
QPointer<TComputerPlayer> Linked; // the player whose signals reach the game flow
std::array<QMetaObject::Connection, 4> Links;

// A short look per candidate: the opening wants a fair position, not the deepest line.
constexpr std::chrono::milliseconds OpeningThinkTime{80};

constexpr char FallBackNote[] = "\n\n%1 plays in its place for the rest of this run";

TKingPlayer& BuiltInKing() {
    static TKingPlayer king;
    return king;
}

// Plays for Rennor King where the King cannot: another rule, an opening, another board size.
TEmperorPlayer& BuiltInEmperor() {
    static TEmperorPlayer emperor{std::chrono::milliseconds(DefaultMoveTimeMs)};
    return emperor;
}

std::vector<TMoveRecord> MovesOnBoard() {
    return {Game.Moves + 1, Game.Moves + 1 + Game.MoveCount};
}

bool PositionStands(const TWaitingQuestion& question) {
    const auto same = [](const TMoveRecord& a, const TMoveRecord& b) {
        return a.X == b.X && a.Y == b.Y && a.Color == b.Color;
    };
    return Game.ColorToMove == question.ToMove &&
           static_cast<std::size_t>(Game.MoveCount) == question.Moves.size() &&
           std::equal(question.Moves.begin(), question.Moves.end(), Game.Moves + 1, same);
}

// The question is over, one way or another; what it showed goes.
void Settle() {
    if (Question.StatusShown) {
        MainView().ShowThinking({});
    }
    Question.Waiting = false;
    Question.StatusShown = false;
}

// A failed player gives way to Rennor King for the rest of the run: the game stays as it was,
// and Rennor King answers what the failed player was asked.
void Failed(TComputerPlayer& player, const QString& message) {
    if (&player != &ComputerPlayer()) {
        return; // it failed before, and Rennor King took over then
    }
    const TWaitingQuestion asked = Question;
    Settle();
    InstallComputerPlayer(nullptr);
    Ports().ShowError(WithFullStop(message) +
                      QString::fromLatin1(FallBackNote).arg(ComputerPlayer().Name()));
    if (asked.Waiting && PositionStands(asked)) {
        AskComputerMove();
    }
}

// A player that answers a square forbidden to black loses the game there and then: the stone is
// not placed, white wins, and the status says why, since no five on the board shows it.
void LoseByFoul(const TComputerPlayer& player, int X, int Y, const QString& why) {
    Game.FiveMade = true;
    Game.Winner = WhiteStone;
    ShowGameResult();
    MainView().ShowStatusText(QStringLiteral("%1 answered %2:%3, forbidden to black (%4), and "
                                             "loses the game")
                                  .arg(player.Name())
                                  .arg(X, 2, 10, QLatin1Char('0'))
                                  .arg(Y, 2, 10, QLatin1Char('0'))
                                  .arg(why));
}

void Answered(TComputerPlayer& player, std::uint64_t ticket, int X, int Y) {
    if (&player != &ComputerPlayer() || !Question.Waiting || ticket != Question.Ticket) {
        return;
    }
    if (!PositionStands(Question)) {
        Settle(); // the game moved on while the player thought
        return;
    }
    if (const QString why = ForbiddenReason(X, Y); !why.isEmpty()) {
        Settle();
        LoseByFoul(player, X, Y, why);
        return;
    }
    if (!SquareOpen(X, Y)) {
        Failed(player, QStringLiteral("%1 answered a square that is not free").arg(player.Name()));
        return;
    }
    Settle();
    MakeMove(X, Y);
}

void OpeningDecided(std::uint64_t ticket, const TOpeningDecision& decision) {
    if (!Question.Waiting || ticket != Question.Ticket) {
        return;
    }
    const bool stands = PositionStands(Question);
    Settle();
    if (stands) {
        TakeOpeningDecision(decision.Stones, decision.Choice);
    }
}

TOpeningAdvisor& Advisor() {
    static TOpeningAdvisor advisor{OpeningThinkTime};
    static const QMetaObject::Connection link =
        QObject::connect(&advisor, &TOpeningAdvisor::Decided, &advisor, OpeningDecided);
    return advisor;
}

// The step's stones or choice come from Emperor's evaluation, whichever player the computer is.
void AskComputerOpening() {
    Question = {true, ++LastTicket, MovesOnBoard(), Game.ColorToMove, false, true};
    const TMoveQuestion asked{Question.Ticket, Question.Moves, Question.ToMove, Play.Rules.Rule,
                              Play.Rules.Size};
    const TOpeningStep step = OpeningStep();
    if (step == TOpeningStep::PlaceThree) {
        Advisor().AskPlacement(asked, 3 - Game.MoveCount);
    } else if (step == TOpeningStep::PlaceTwo) {
        Advisor().AskPlacement(asked, 5 - Game.MoveCount);
    } else {
        const bool mayPlaceTwo =
            step == TOpeningStep::ChooseAtThree && Play.Rules.Opening == TOpening::Swap2;
        Advisor().AskChoice(asked, mayPlaceTwo);
    }
    Question.StatusShown = true;
    MainView().ShowThinking(QStringLiteral("%1 is thinking...").arg(EmperorName));
}

void Link(TComputerPlayer& player) {
    TComputerPlayer* p = &player;
    if (Linked == p) {
        return;
    }
    for (QMetaObject::Connection& link : Links) {
        QObject::disconnect(link);
    }
    Linked = p;
    Links = {
        QObject::connect(p, &TComputerPlayer::Answered, p,
                         [p](std::uint64_t t, int X, int Y) { Answered(*p, t, X, Y); }),
        QObject::connect(p, &TComputerPlayer::Cancelled, p,
                         [](std::uint64_t t) {
                             if (Question.Waiting && t == Question.Ticket) {
                                 Settle();
                             }
                         }),
        // Queued: the message box must not run inside the player's own handlers.
        QObject::connect(
            p, &TComputerPlayer::Failed, p, [p](const QString& m) { Failed(*p, m); },
            Qt::QueuedConnection),
        QObject::connect(p, &TComputerPlayer::NameChanged, p,
                         [](const QString& name) { MainView().ShowComputerName(name); }),
    };
}

} // namespace

TComputerPlayer& ComputerPlayer() {
    TComputerPlayer& chosen = Installed.isNull() ? BuiltInKing() : *Installed;
    const TGameRules& rules = Play.Rules;
    return chosen.Plays(rules.Rule, rules.Opening, rules.Size) ? chosen : BuiltInEmperor();
}

void InstallComputerPlayer(TComputerPlayer* player) {
    const bool askAgain = ComputerThinking();
    CancelComputerMove();
    Installed = player;
    Link(ComputerPlayer());
    MainView().ShowComputerName(ComputerPlayer().Name());
    if (askAgain) {
        AskComputerMove();
    }
}

void AskComputerMove() {
    CancelComputerMove();
    if (IsGameOver()) {
        return;
    }
    if (OpeningStep() != TOpeningStep::Over) {
        AskComputerOpening();
        return;
    }
    Question = {true, ++LastTicket, MovesOnBoard(), Game.ColorToMove, false};
    const std::uint64_t ticket = Question.Ticket;
    TComputerPlayer& player = ComputerPlayer();
    Link(player);
    player.Ask({ticket, Question.Moves, Question.ToMove, Play.Rules.Rule, Play.Rules.Size});
    if (Question.Waiting && Question.Ticket == ticket) {
        Question.StatusShown = true;
        MainView().ShowThinking(QStringLiteral("%1 is thinking...").arg(player.Name()));
    }
}

bool ComputerThinking() {
    return Question.Waiting && PositionStands(Question);
}

bool CancelComputerMove() {
    if (!Question.Waiting) {
        return false;
    }
    Settle();
    if (Question.ForOpening) {
        Advisor().Cancel();
    } else {
        ComputerPlayer().Cancel();
    }
    return true;
}

bool RefusedWhileThinking(TCommand command) {
    return command == TCommand::SwitchSides || command == TCommand::Hint ||
           command == TCommand::Save;
}

bool CommandRefused(TCommand command) {
    return RefusedWhileThinking(command) && ComputerThinking();
}

void WaitForComputerMove() {
    while (ComputerThinking()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

// The one interface of every computer player: asked for a move, it answers, is cancelled or fails.
#pragma once

#include "core/Types.h"
#include "variants/Rule.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <vector>

// A position to answer: the stones in the order they were played, squares counted from 1 as
// the game counts them, and the colour the player is to play. The ticket names the question in
// the answer, so an answer to an older question can be told apart.
struct TMoveQuestion {
    std::uint64_t Ticket = 0;
    std::vector<TMoveRecord> Moves;
    TStoneColor ToMove = BlackStone;
    // The game's rule and board size: squares 1..Size of each line.
    TRule Rule = TRule::Freestyle;
    int Size = BoardSize;
};

class TComputerPlayer : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // The name the windows show for the computer.
    virtual QString Name() const = 0;
    // Asks for a move; Answered, Cancelled or Failed follows on this object's thread. A player
    // that knows at once answers before Ask returns. A new question replaces any earlier one.
    virtual void Ask(const TMoveQuestion& question) = 0;
    // Drops the question being thought about and goes on at once: Cancelled follows before it
    // returns, and no answer to that question ever comes.
    virtual void Cancel() = 0;
    // Whether the player knows how to play under this rule, opening and board size.
    virtual bool Plays(TRule, TOpening, int /*size*/) const { return true; }

signals:
    // An empty square of the question's position, counted from 1.
    void Answered(std::uint64_t ticket, int X, int Y);
    void Cancelled(std::uint64_t ticket);
    // The player cannot play on (an external engine that broke); it answers nothing more.
    void Failed(const QString& message);
    void NameChanged(const QString& name);
};

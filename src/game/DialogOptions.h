// The options that the options dialog's controls hold for the whole run, as the game reads them.
#pragma once

#include "core/Types.h"
#include "game/GameRules.h"

#include <QString>

inline constexpr char ComputerName[] = "Rennor King";

// The main window answers these from the options dialog's own query methods; tests may answer
// them from a plain struct.
class TDialogOptions {
public:
    virtual ~TDialogOptions() = default;

    virtual bool HumanComputer() const = 0;           // game mode radio button
    virtual QString WhoMovesFirstCaption() const = 0; // "1st Player is First" / "2nd ..."
    virtual bool WhitePlayerDown() const = 0;         // the first player has white
    virtual bool WhiteMasterDown() const = 0;         // the second player (or computer) has white
    virtual QString FirstPlayerLabel() const = 0;     // display names, "Rennor King" for the
    virtual QString SecondPlayerLabel() const = 0;    // computer
    virtual bool MusicChecked() const = 0;
    virtual bool SoundChecked() const = 0;
    // The rules a new game is played under, as last confirmed: the written game by default.
    virtual TGameRules ChosenRules() const { return {}; }
};

// The installed options; with none installed: human against computer, "1st Player is First",
// the first player white, "Player 1" against "Rennor King", music and sound off.
const TDialogOptions& DialogOptions();
void InstallDialogOptions(const TDialogOptions* options);

// The colour that moves first in a new game, as the board rules ask through BoardHooks.
TStoneColor FirstColorFromOptions();

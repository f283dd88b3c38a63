// The one surface through which the game reaches the user: questions, messages and standard
// dialogs.
#pragma once

#include "core/LiveSettings.h"
#include "variants/Rule.h"

#include <QString>
#include <optional>

// The question that New Game, Auto Play and Load Game ask while a game runs.
inline constexpr char CancelGameQuestion[] = "Do You Wish To Cancel Current Game ?";
// The longer form the options dialog asks before it changes the game mode.
inline constexpr char CancelGameModeQuestion[] =
    "Do You Wish To Cancel Current Game ?\n\nIf you click 'No' - game mode will not be changed";

// What a file dialog shows; Filter is "display text|pattern", e.g. "Rennor .RNR files|*.rnr".
struct TFileDialogSpec {
    QString Title;
    QString Filter;
    QString DefaultSuffix; // what a typed name without an extension stands for, in any case
};

// The real implementation shows Qt dialogs; tests install one with scripted answers.
class TPorts {
public:
    virtual ~TPorts() = default;

    // A box titled "Confirm" with the question icon and the buttons "&Yes" and "&No".
    // True only for Yes.
    virtual bool Confirm(const QString& question) = 0;
    // The application's standard error box: stop icon, "Rennor", OK; the text goes through
    // WithFullStop.
    virtual void ShowError(const QString& message) = 0;
    // The exit confirmation (TExitForm); true only for its "&Yes".
    virtual bool ConfirmExit() = 0;
    // The modal game-over report for the game that has just ended.
    virtual void ShowGameReport() = 0;
    // Standard file dialogs; nothing when the user cancels. Each remembers its last name. The name
    // comes back as typed, whether the file exists or not: the game completes and checks it.
    virtual std::optional<QString> AskSaveFileName(const TFileDialogSpec& dialog) = 0;
    virtual std::optional<QString> AskOpenFileName(const TFileDialogSpec& dialog) = 0;
    // The standard colour dialog, solid colours only, opened on initial; nothing on Cancel.
    virtual std::optional<TColorValue> PickColor(TColorValue initial) = 0;
    // A swap opening asks player to choose a colour, or, with mayPlaceTwo, to place two more
    // stones instead. Some answer is always given: the game cannot go on without it.
    virtual TOpeningChoice AskOpeningChoice(const QString& /*player*/, bool /*mayPlaceTwo*/) {
        return TOpeningChoice::PlayWhite;
    }
};

// The installed ports; with none installed every question is answered Yes, every dialog is
// cancelled, an opening's player plays white and messages go nowhere.
TPorts& Ports();
// Installs ports for the whole program (nullptr puts the silent defaults back); the caller keeps
// ownership.
void InstallPorts(TPorts* ports);

// The standard error box's rule: a full stop is appended when the last character sorts after it.
QString WithFullStop(const QString& message);

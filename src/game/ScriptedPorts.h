// Ports with scripted answers that record every question, for tests of the game and its windows.
#pragma once

#include "game/Ports.h"

#include <QStringList>
#include <deque>

class TScriptedPorts : public TPorts {
public:
    // Answers are taken from the front; an empty queue answers with the Default... value.
    std::deque<bool> ConfirmAnswers;
    bool DefaultConfirm = true;
    std::deque<bool> ExitAnswers;
    bool DefaultExit = true;
    std::deque<std::optional<QString>> FileNames;
    std::deque<std::optional<TColorValue>> Colors;
    std::deque<TOpeningChoice> OpeningChoices;
    TOpeningChoice DefaultOpeningChoice = TOpeningChoice::PlayWhite;

    // What was asked and shown, in order.
    QStringList Questions;
    QStringList Errors; // as the error box would show them, full stop included
    int ExitQuestions = 0;
    int GameReports = 0;
    QStringList FileDialogTitles;
    std::deque<TColorValue> ColorPickerStarts;
    QStringList OpeningChoosers; // each as "name" or "name, may place two"

    bool Confirm(const QString& question) override;
    void ShowError(const QString& message) override;
    bool ConfirmExit() override;
    void ShowGameReport() override;
    std::optional<QString> AskSaveFileName(const TFileDialogSpec& dialog) override;
    std::optional<QString> AskOpenFileName(const TFileDialogSpec& dialog) override;
    std::optional<TColorValue> PickColor(TColorValue initial) override;
    TOpeningChoice AskOpeningChoice(const QString& player, bool mayPlaceTwo) override;

    // Installs these ports now and the silent defaults again when the object goes.
    TScriptedPorts() { InstallPorts(this); }
    ~TScriptedPorts() override { InstallPorts(nullptr); }
    TScriptedPorts(const TScriptedPorts&) = delete;
    TScriptedPorts& operator=(const TScriptedPorts&) = delete;

private:
    std::optional<QString> NextFileName(const TFileDialogSpec& dialog);
};

// The ports as Qt dialogs over the main window: questions, the error box, exit, files, colours.
#pragma once

#include "game/Ports.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

class TMainPorts final : public TPorts {
public:
    explicit TMainPorts(QWidget* owner = nullptr) : Owner(owner) {}

    bool Confirm(const QString& question) override;
    void ShowError(const QString& message) override;
    bool ConfirmExit() override;
    void ShowGameReport() override;
    std::optional<QString> AskSaveFileName(const TFileDialogSpec& dialog) override;
    std::optional<QString> AskOpenFileName(const TFileDialogSpec& dialog) override;
    std::optional<TColorValue> PickColor(TColorValue initial) override;
    TOpeningChoice AskOpeningChoice(const QString& player, bool mayPlaceTwo) override;

private:
    std::optional<QString> AskFileName(const TFileDialogSpec& dialog, bool saving);

    QPointer<QWidget> Owner;
    QHash<QString, QString> LastFileNames; // by dialog title: each dialog keeps its last name
};

// A modal box with the stop icon and an OK button; the toolkit's own icons are too coarse for
// scaled screens, so the program draws its own.
void ShowStopBox(QWidget* owner, const QString& title, const QString& text);

// "Rennor .RNR files|*.rnr" as a Qt name filter, "Rennor .RNR files (*.rnr)".
QString QtNameFilter(const QString& filter);

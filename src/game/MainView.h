// What the game flow asks of the main window: repaints, displays and the state of its commands.
#pragma once

#include <QString>

// The menu commands whose enabled state belongs to the game flow.
enum class TCommand { Undo, Redo, AutoPlay, Replay, Hint, SwitchSides, Save };
inline constexpr int CommandCount = 7;

class TMainView {
public:
    virtual ~TMainView() = default;

    // Paints board square (X, Y) at once; squares off the board paint nothing.
    virtual void RepaintSquare(int X, int Y) = 0;
    virtual void ShowMovesDone(int moveCount) = 0;
    virtual void ShowTimeElapsed(double days) = 0;
    virtual double ElapsedShown() const = 0; // the value the game clock shows
    virtual void EnableCommand(TCommand command, bool enabled) = 0;
    virtual bool CommandEnabled(TCommand command) const = 0;
    virtual void ClearStatusText() = 0;
    virtual void ShowStatusText(const QString& text) = 0;
    // While the computer thinks: the status bar holds this text over every hint and status text,
    // and the commands RefusedWhileThinking are greyed. An empty text ends it and clears the bar.
    virtual void ShowThinking(const QString& text) {
        text.isEmpty() ? ClearStatusText() : ShowStatusText(text);
    }
    // The players' names beside their stones.
    virtual void ShowPlayerNames(const QString& white, const QString& black) = 0;
    // Flashes the hint square, letting events run in its pauses.
    virtual void FlashHintSquare(int X, int Y) = 0;
    // Tells the help window to close with the program.
    virtual void QuitHelp() = 0;
    // The computer player's name, wherever the windows show it.
    virtual void ShowComputerName(const QString&) {}
    // The board shows squares 1..size of each line, filling the same space.
    virtual void ShowBoardSize(int) {}
};

// The installed main window; with none installed nothing is shown and every command is enabled.
TMainView& MainView();
void InstallMainView(TMainView* view);

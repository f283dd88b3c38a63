// The program's help engine: shows the topics of "Rennor.hlp" in a help window or as pop-ups.
// The main window owns one and sends it the help commands of its menus and controls.
#pragma once

#include "help/HelpFile.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <optional>

class QWidget;
class THelpWindow;

// The help commands, numbered as the help engine's callers know them.
enum class THelpCommand : unsigned {
    Context = 1,      // HELP_CONTEXT: the topic of the context number in data
    Quit = 2,         // HELP_QUIT: close the help window
    HelpOnHelp = 4,   // HELP_HELPONHELP: how to use help
    ContextPopup = 8, // HELP_CONTEXTPOPUP: the topic of data as a pop-up
    Finder = 11,      // HELP_FINDER: contents and index
    SetPopupPos = 13, // HELP_SETPOPUP_POS: where the next pop-up goes; data = y << 16 | x
};

class HelpEngine : public QObject {
    Q_OBJECT

public:
    explicit HelpEngine(QObject* parent = nullptr);
    ~HelpEngine() override;

    // One entry for every command; false for a command this engine does not know.
    bool Command(THelpCommand command, quintptr data);

    void ShowContents();
    // Shows the topic of a context number; a number without topic shows a page that says so.
    // Returns whether the topic exists.
    bool ShowTopic(int context);
    void ShowHelpOnHelp();
    // Shows a topic as a pop-up at a global position: the one set by SetPopupPosition if any
    // (used once), else the given one.
    void ShowPopup(int context, QPoint globalPos);
    void SetPopupPosition(QPoint globalPos) { FPopupPos = globalPos; }
    // Closes the help window and any pop-up.
    void Quit();

    // Gives a control its help context: the title-bar help button then shows its pop-up, and
    // ContextOf tells the number to a "What's this" menu.
    void AttachContext(QWidget* control, int context);
    static int ContextOf(const QWidget* control);

    const THelpFile& File() const { return FFile; }
    // The help window while it exists, for whoever wants to look at it.
    THelpWindow* Window() const { return FWindow; }
    bool IsWindowVisible() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    THelpWindow& OpenWindow();

    THelpFile FFile;
    QPointer<THelpWindow> FWindow;
    std::optional<QPoint> FPopupPos;
};

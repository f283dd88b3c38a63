// Help commands mapped onto the help window and the pop-ups of the toolkit's "What's this" help.
#include "help/HelpEngine.h"

#include "help/HelpWindow.h"

#include <QCursor>
#include <QHelpEvent>
#include <QWhatsThis>

namespace {

const char* const ContextProperty = "helpContext";

} // namespace

HelpEngine::HelpEngine(QObject* parent) : QObject(parent) {}

HelpEngine::~HelpEngine() {
    delete FWindow;
}

bool HelpEngine::Command(THelpCommand command, quintptr data) {
    switch (command) {
    case THelpCommand::Context:
        ShowTopic(int(data));
        return true;
    case THelpCommand::Quit:
        Quit();
        return true;
    case THelpCommand::HelpOnHelp:
        ShowHelpOnHelp();
        return true;
    case THelpCommand::ContextPopup:
        ShowPopup(int(data), QCursor::pos());
        return true;
    case THelpCommand::Finder:
        ShowContents();
        return true;
    case THelpCommand::SetPopupPos:
        SetPopupPosition(QPoint(qint16(data & 0xFFFF), qint16((data >> 16) & 0xFFFF)));
        return true;
    }
    return false;
}

void HelpEngine::ShowContents() {
    OpenWindow().ShowContentsPage();
}

bool HelpEngine::ShowTopic(int context) {
    THelpWindow& window = OpenWindow();
    const QString file = FFile.ContextFile(context);
    if (file.isEmpty()) {
        window.ShowMissingContext(context);
        return false;
    }
    window.ShowFile(file);
    return true;
}

void HelpEngine::ShowHelpOnHelp() {
    OpenWindow().ShowFile(THelpFile::HelpOnHelpFile);
}

void HelpEngine::ShowPopup(int context, QPoint globalPos) {
    const QPoint at = FPopupPos.value_or(globalPos);
    FPopupPos.reset();
    const QString file = FFile.ContextFile(context);
    const QString text = file.isEmpty() ? "<p>No Help topic is associated with this item.</p>"
                                        : FFile.PopupHtml(file);
    QWhatsThis::showText(at, text);
}

void HelpEngine::Quit() {
    QWhatsThis::hideText();
    if (FWindow) {
        FWindow->close();
    }
}

void HelpEngine::AttachContext(QWidget* control, int context) {
    control->setProperty(ContextProperty, context);
    control->installEventFilter(this);
}

int HelpEngine::ContextOf(const QWidget* control) {
    return control == nullptr ? 0 : control->property(ContextProperty).toInt();
}

// In "What's this" mode the toolkit first asks whether a control has help, then asks for it.
bool HelpEngine::eventFilter(QObject* watched, QEvent* event) {
    auto* control = qobject_cast<QWidget*>(watched);
    const int context = ContextOf(control);
    if (context == 0) {
        return false;
    }
    if (event->type() == QEvent::QueryWhatsThis) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::WhatsThis) {
        ShowPopup(context, static_cast<QHelpEvent*>(event)->globalPos());
        return true;
    }
    return false;
}

bool HelpEngine::IsWindowVisible() const {
    return FWindow && FWindow->isVisible();
}

// The window is made on first use and then kept, so Back and Forward survive closing it.
THelpWindow& HelpEngine::OpenWindow() {
    if (!FWindow) {
        FWindow = new THelpWindow(FFile);
        FWindow->PlaceNear(qobject_cast<QWidget*>(parent()));
    }
    FWindow->show();
    FWindow->raise();
    FWindow->activateWindow();
    return *FWindow;
}

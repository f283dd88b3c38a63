// The main window's Help menu and context help: topics by number, the options dialog's pop-ups,
// the about box, the web page, and the help window closing with the program.
#include "ui/MainForm.h"

#include "help/HelpEngine.h"
#include "help/HelpWindow.h"
#include "ui/AboutForm.h"
#include "ui/OptionsForm.h"
#include "ui/ProductAddresses.h"

#include <QAction>
#include <QMenu>

namespace {

// HELP_SETPOPUP_POS data: the y coordinate in the high word, x in the low word.
quintptr PopupPosition(const QPoint& at) {
    return quintptr(quint16(at.y())) << 16 | quint16(at.x());
}

} // namespace

void TMainForm::BuildHelp() {
    Help = new HelpEngine(this);
    Menu.PopUpMenu2 = new QMenu(this);
    Menu.Whatsthis1 = Menu.PopUpMenu2->addAction(QStringLiteral("&What's this ?"));
    connect(Menu.Whatsthis1, &QAction::triggered, this, &TMainForm::Whatsthis1Click);
}

void TMainForm::ConnectHelp(TOptionsHooks& hooks) {
    hooks.ShowHelp = [this](int context) { ShowHelpContext(context); };
    hooks.ContextHelpMenu = [this](QWidget* control, const QPoint& at) {
        HelpControl = control;
        HelpMenuPlace = at;
        Menu.PopUpMenu2->popup(at);
    };
    hooks.ShowHelpPopup = [this](int context, const QPoint& at) {
        Help->Command(THelpCommand::SetPopupPos, PopupPosition(at));
        Help->Command(THelpCommand::ContextPopup, quintptr(context));
    };
}

void TMainForm::HelpTopics1Click() {
    Help->Command(THelpCommand::Finder, 0);
}

void TMainForm::WhatsNew1Click() {
    ShowHelpContext(5003);
}

void TMainForm::HelpOnHelp1Click() {
    Help->Command(THelpCommand::HelpOnHelp, 0);
}

// The pop-up stands where its menu was opened, which is under the pointer for a right click and
// beside the control when the keyboard asked for the menu.
void TMainForm::Whatsthis1Click() {
    Help->Command(THelpCommand::SetPopupPos, PopupPosition(HelpMenuPlace));
    Help->Command(THelpCommand::ContextPopup, quintptr(HelpEngine::ContextOf(HelpControl)));
}

void TMainForm::ShowHelpContext(int context) {
    Help->Command(THelpCommand::Context, quintptr(context));
}

void TMainForm::QuitHelp() {
    Help->Command(THelpCommand::Quit, 0);
}

void TMainForm::RennorontheWeb1Click() {
    OpenWebPage();
}

void TMainForm::About1Click() {
    TAboutForm about(this);
    about.exec();
}

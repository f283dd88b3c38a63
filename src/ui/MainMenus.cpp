// The main window's menu bar and the board's context menu: captions, shortcuts, help, hints.
#include "ui/MainForm.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWindow>

namespace {

// Where an item or menu keeps its help context number.
constexpr char HelpContextProperty[] = "HelpContext";

QMenu* AddMenu(QMenuBar* bar, const char* caption, int context, const char* hint) {
    QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
    menu->menuAction()->setStatusTip(QString::fromUtf8(hint));
    menu->menuAction()->setProperty(HelpContextProperty, context);
    menu->setProperty(HelpContextProperty, context);
    return menu;
}

} // namespace

QAction* TMainForm::AddItem(QMenu* menu, const char* caption, const QKeySequence& shortcut,
                            int context, const char* hint, void (TMainForm::*handler)()) {
    QAction* item = menu->addAction(QString::fromUtf8(caption));
    item->setShortcut(shortcut);
    item->setShortcutContext(Qt::WindowShortcut);
    item->setStatusTip(QString::fromUtf8(hint));
    item->setProperty(HelpContextProperty, context);
    connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return item;
}

void TMainForm::BuildMenus() {
    QMenuBar* bar = menuBar();
    TMainMenuItems& m = Menu;

    m.Game1 = AddMenu(bar, "&Game", 9001, "Game menu");
    m.NewGame1 = AddItem(m.Game1, "&New Game", Qt::Key_N, 9001, "Starts a new game",
                         &TMainForm::NewGame1Click);
    m.Game1->addSeparator();
    m.LoadGame1 = AddItem(m.Game1, "&Load Game", Qt::Key_L, 9002, "Loads saved game",
                          &TMainForm::LoadGame1Click);
    m.SaveGame1 = AddItem(m.Game1, "&Save Game", Qt::Key_S, 9003, "Saves current game",
                          &TMainForm::SaveGame1Click);
    m.Game1->addSeparator();
    m.Options1 = AddItem(m.Game1, "&Options...", Qt::Key_O, 9004, "Options dialog",
                         &TMainForm::Options1Click);
    m.Game1->addSeparator();
    m.AutoPlay1 = AddItem(m.Game1, "&Auto Play", Qt::Key_A, 9005, "Autoplay mode",
                          &TMainForm::AutoPlay1Click);
    m.Replay1 =
        AddItem(m.Game1, "Re&play", Qt::Key_R, 9006, "Replay mode", &TMainForm::Replay1Click);
    m.SwitchSides1 = AddItem(m.Game1, "S&witch Sides", Qt::Key_W, 9007,
                             "Switch sides with computer", &TMainForm::SwitchSides1Click);
    m.Hint1 = AddItem(m.Game1, "&Hint", Qt::Key_H, 9008, "Display a hint", &TMainForm::Hint1Click);
    m.Analyse1 = AddItem(m.Game1, "Anal&yse", Qt::Key_Y, 9011,
                         "Show the computer's judgement and best line", &TMainForm::Analyse1Click);
    m.Review1 = AddItem(m.Game1, "Re&view...", Qt::Key_V, 9012,
                        "List the moves that changed the result", &TMainForm::Review1Click);
    m.Game1->addSeparator();
    m.Exit1 =
        AddItem(m.Game1, "E&xit", QKeySequence(), 9010, "Exit Rennor", &TMainForm::Exit1Click);

    m.Edit1 = AddMenu(bar, "&Controls", 9101, "Controls menu");
    m.Undo1 =
        AddItem(m.Edit1, "Undo", Qt::Key_Backspace, 9101, "Undo last move", &TMainForm::Undo1Click);
    m.Redo1 = AddItem(m.Edit1, "Redo", QKeySequence(Qt::ALT | Qt::Key_Backspace), 9102, "Redo move",
                      &TMainForm::Redo1Click);

    m.Help1 = AddMenu(bar, "&Help", 9001, "Help menu");
    m.HelpTopics1 = AddItem(m.Help1, "&Help Contents", Qt::Key_F1, 9001, "Display help topics",
                            &TMainForm::HelpTopics1Click);
    m.WhatsNew1 = AddItem(m.Help1, "&What's New?", QKeySequence(), 9001,
                          "What's new in this version", &TMainForm::WhatsNew1Click);
    m.HelpOnHelp1 = AddItem(m.Help1, "&Using Help", QKeySequence(), 9001, "Help on using Help",
                            &TMainForm::HelpOnHelp1Click);
    m.Help1->addSeparator();
    m.RennorontheWeb1 = AddItem(m.Help1, "&Rennor on the Web...", QKeySequence(), 9001,
                                "Visit our Web site", &TMainForm::RennorontheWeb1Click);
    m.Help1->addSeparator();
    m.About1 = AddItem(m.Help1, "&About...", QKeySequence(), 9001, "About Rennor...",
                       &TMainForm::About1Click);
    for (QMenu* menu : {m.Game1, m.Edit1, m.Help1}) {
        menu->installEventFilter(this);
    }
}

void TMainForm::BuildPopupMenu() {
    Menu.PopupMenu1 = new QMenu(this);
    Menu.XYPercent = Menu.PopupMenu1->addAction(QString());
    Menu.PopupMenu1->setDefaultAction(Menu.XYPercent);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle()) {
        SetSeen(windowHandle()->isExposed());
    }
    // F1 on a highlighted menu item shows that item's topic.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        const auto* menu = qobject_cast<QMenu*>(watched);
        if (menu != nullptr && menu->activeAction() != nullptr) {
            ShowHelpContext(menu->activeAction()->property(HelpContextProperty).toInt());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// Program start: the splash, the main window and the options dialog, then the message loop.
#include "game/Ports.h"
#include "players/EngineProcess.h"
#include "timing/TimerTypes.h"
#include "ui/AppStyle.h"
#include "ui/LogoForm.h"
#include "ui/MainForm.h"
#include "ui/OptionsForm.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallAppStyle(app);
    EndEngineGroupsWithTheGame();
    QApplication::setOrganizationName(QStringLiteral("Veltrane Inc."));
    QApplication::setApplicationName(QStringLiteral("Rennor"));
    app.setProperty("HelpFile", QStringLiteral("Rennor.hlp"));
#ifdef RENNOR_APP_ID
    // Desktops find the installed menu entry, and with it the icon, of the windows by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(RENNOR_APP_ID));
#endif
    // A timer handler's error reaches the user as every other error does.
    SetTimerErrorHandler([](const std::exception& error) { Ports().ShowError(error.what()); });

    auto* logo = new TLogoForm;
    logo->ShowAndPaint();
    if (!ColorDepthSufficient()) {
        delete logo;
        return 0;
    }

    TMainForm mainForm;
    TOptionsForm optionsForm(mainForm.Key(), &mainForm);
    mainForm.SetOptionsForm(&optionsForm);

    logo->hide();
    logo->deleteLater();
    mainForm.show();
    return QApplication::exec();
}

// The application's style: the toolkit's own, with the menu bar's overflow arrows read when shown.
#pragma once

class QApplication;

// Wraps the application's current style so that its look is unchanged; call before any window.
void InstallAppStyle(QApplication& app);

// What the help tests share: the program's context numbers and the pop-up on screen.
#pragma once

#include <QApplication>
#include <QList>
#include <QWidget>
#include <algorithm>

// Every context number the program's menus and options dialog use.
inline const QList<int> ProgramContexts = {
    1001, 1002, 1003, 1010, 1011, 1012, 1013, 1014, 1111, 2002, 2003, 2004, 2005,
    2222, 3001, 3002, 3010, 3333, 4001, 4002, 4003, 4004, 4005, 4444, 5003, 9001,
    9002, 9003, 9004, 9005, 9006, 9007, 9008, 9010, 9011, 9012, 9101, 9102};

// The visible pop-up help window, or null.
inline QWidget* VisiblePopup() {
    const QWidgetList all = QApplication::topLevelWidgets();
    const auto shown = [](QWidget* w) { return w->isVisible() && w->inherits("QWhatsThat"); };
    const auto popup = std::find_if(all.begin(), all.end(), shown);
    return popup == all.end() ? nullptr : *popup;
}

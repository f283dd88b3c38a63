// Keys in the game's dialogs: Return and Enter press the focused button; Tab enters a radio group
// at its checked button.
#pragma once

#include <QList>

class QDialog;
class QKeyEvent;
class QRadioButton;

// True when the key was Return or Enter: the focused push button, if any, was clicked and the
// event taken.
bool PressFocusedButton(QDialog& dialog, QKeyEvent* event);

// Tab enters the group at its checked button (at the first while none is), whichever way the
// check got there; the arrows then move within the group.
void KeepTabStopOnChecked(const QList<QRadioButton*>& group);

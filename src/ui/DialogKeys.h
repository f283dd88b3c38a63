// Return and Enter in the game's dialogs press the button that has the focus.
#pragma once

class QDialog;
class QKeyEvent;

// True when the key was Return or Enter: the focused push button, if any, was clicked and the
// event taken.
bool PressFocusedButton(QDialog& dialog, QKeyEvent* event);

#pragma once
// Private to the platform layer: which key presses a control that takes text
// keeps for itself, so that typing never reaches a window's key handlers.
#include <QKeyEvent>
#include <QWidget>

namespace lumvex {

// True for a key that types a character into an edit box or a combo box (a
// drop-down list chooses the entry that begins with it), and, where the text
// can be edited, for the keys that edit it: Backspace, Delete, Enter (which
// finishes the entry), cut, paste, undo and redo. Other keys, and every key
// of a read-only or disabled box, are not kept.
bool KeepsTextKey(const QWidget& widget, const QKeyEvent& event);

}  // namespace lumvex

#include "platform/controls/TextKeys.h"

#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>

namespace lumvex {

namespace {

bool TypesCharacter(const QKeyEvent& event) {
    // Shortcuts type nothing, whatever text the desktop attaches to them.
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier)) return false;
    const QString text = event.text();
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (!c.isPrint() && !c.isSurrogate()) return false;
    return true;
}

bool EditsText(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter: return true;
    default: break;
    }
    for (QKeySequence::StandardKey edit : {QKeySequence::Cut, QKeySequence::Paste, QKeySequence::Undo,
                                           QKeySequence::Redo, QKeySequence::DeleteStartOfWord,
                                           QKeySequence::DeleteEndOfWord, QKeySequence::DeleteEndOfLine,
                                           QKeySequence::DeleteCompleteLine})
        if (event.matches(edit)) return true;
    return false;
}

}  // namespace

bool KeepsTextKey(const QWidget& widget, const QKeyEvent& event) {
    if (!widget.isEnabled()) return false;
    bool editable = false;
    if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) {
        if (edit->isReadOnly()) return false;
        editable = true;
    } else if (const auto* box = qobject_cast<const QComboBox*>(&widget)) {
        editable = box->isEditable();
    } else {
        return false;
    }
    return TypesCharacter(event) || (editable && EditsText(event));
}

}  // namespace lumvex

// SPDX-License-Identifier: MIT
#include "editor/EditorKeys.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace editorkeys {

bool isRedo(const QKeyEvent& key) {
    return key.matches(QKeySequence::Redo) ||
           (key.key() == Qt::Key_Y &&
            (key.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier);
}

bool usedByEditor(const QKeyEvent& key) {
    const auto mods = key.modifiers() & ~Qt::KeypadModifier;
    const bool plain = !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (isRedo(key) || (plain && !key.text().isEmpty() && key.text().front().isPrint())) {
        return true;
    }
    for (const auto standard : {QKeySequence::Undo, QKeySequence::Cut, QKeySequence::Copy,
                                QKeySequence::Paste, QKeySequence::SelectAll}) {
        if (key.matches(standard)) {
            return true;
        }
    }
    switch (key.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return !(mods & (Qt::AltModifier | Qt::MetaModifier));
    default:
        return false;
    }
}

} // namespace editorkeys

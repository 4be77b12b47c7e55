// SPDX-License-Identifier: MIT
#pragma once

class QKeyEvent;

// The keys of the patch editor, apart from what they do.
namespace editorkeys {

// Ctrl+Y, as well as the platform's own redo key.
bool isRedo(const QKeyEvent& key);
// Every key the editor acts on: typing, erasing, moving, the clipboard and
// undo. These belong to it, never to the window's shortcuts.
bool usedByEditor(const QKeyEvent& key);

} // namespace editorkeys

// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The folder each of the window's file dialogs starts in, kept in the settings
// store across runs under "Folders/<dialog name>" (e.g. "Folders/OpenMelDialog").
// A save dialog ("Save..." names) never used starts where the last patch of
// any page was saved ("Folders/LastPatch"). Any other dialog never used, or
// whose folder has gone, starts in the user's home folder: never in the
// program's own folder, where a user cannot even save.
namespace dialogfolders {

QString startFolder(const QString& dialog);
// Remembers the folder of `chosenFile` for the dialog.
void remember(const QString& dialog, const QString& chosenFile);
QString settingsKey(const QString& dialog);

// The name filter a dialog was last left on ("Filters/<dialog name>"), when
// it is one of `filters` (Qt's form, ";;" between them); else empty.
QString startFilter(const QString& dialog, const QString& filters);
void rememberFilter(const QString& dialog, const QString& filter);

} // namespace dialogfolders

// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class SettingsStore;

// The remembered firmware choice: the current id and the folder list of the
// run in which it was made ("CurFW", "FWList").
struct FirmwareSettings {
    QString currentId;
    QString folderList; // folder names, each followed by CR LF
};

inline const QString kDefaultFirmwareId = QStringLiteral("X120XEDJ2");

// An unusable store leaves both texts empty; a value that is not a string
// raises "Invalid data type for '%s'".
FirmwareSettings readFirmwareSettings(const SettingsStore& store);
// Failures are swallowed: the choice simply is not remembered.
void writeFirmwareSettings(SettingsStore& store, const FirmwareSettings& settings);
// The firmware choice, for the window's dialog and the command line alike:
// id becomes current and is stored with the folder list it was chosen from.
// Choosing the current id again stores nothing and returns false.
bool chooseCurrentFirmware(SettingsStore& store, FirmwareSettings& settings, const QString& id);

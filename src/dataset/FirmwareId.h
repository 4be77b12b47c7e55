// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// What may name a firmware: the id is the name of its folder in the user
// folder, shown in lists written in code page 1251.
namespace firmwareid {

// A bare name that joins safely to the user folder: what an id read back
// from the settings must be to be looked up at all.
bool namesFolder(const QString& id);

// Why the id cannot name a new firmware folder, empty when it can: the rules
// of a chosen file's name, and not only blanks, not beginning with "." (the
// user folder's own staging folders do).
QString refusal(const QString& id);

// The folder a new firmware id gets in userFolder. Raises "\"%1\" cannot
// name a firmware folder: %2" for an id refusal() refuses, and "The firmware
// %1 exists already: %2" when the folder (or a link by its name) is there.
QString newFolder(const QString& id, const QString& userFolder);

} // namespace firmwareid

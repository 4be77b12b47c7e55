// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"

#include <QString>

// Adding a firmware data set to the user folder: checked first, refused on any
// error, never written over an existing firmware folder. "Data" is copied with
// the working copies its lists name; links and anything else that is not a
// plain file are left behind and reported, and the copy is checked again.
namespace datasetimport {

struct Result {
    QString id;
    QString firmwareFolder;
    Report report;         // the check of the data set, then what the copy left behind
    bool imported = false; // false when the check found errors
    QStringList skipped;   // links and other entries that are not plain files, not copied
};

// dir is a firmware folder holding "Data", or a Data folder itself; an empty
// id takes the firmware folder's name. Raises for a folder that is neither,
// an id that names no plain folder, one that exists already or is being
// imported by another process, or a copy that fails (with the system's reason).
Result run(const QString& dir, const QString& id, const QString& userFolder);

} // namespace datasetimport

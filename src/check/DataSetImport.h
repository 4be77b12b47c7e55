#pragma once

#include "check/Report.h"

#include <QString>

// Adding a firmware data set to the user folder: checked first, refused on any
// error, never written over an existing firmware folder. Only "Data" is
// copied; the working folders start empty.
namespace datasetimport {

struct Result {
    QString id;
    QString firmwareFolder;
    Report report;         // the check of the data set
    bool imported = false; // false when the check found errors
};

// dir is a firmware folder holding "Data", or a Data folder itself; an empty
// id takes the firmware folder's name. Raises for an id that names no plain
// folder, one that exists already, or a copy that fails.
Result run(const QString& dir, const QString& id, const QString& userFolder);

} // namespace datasetimport

// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"

#include <QString>

// The check of a firmware data set before anything is built from it: the
// lists the managers need and the form of every field, Memory.ini, the
// required patches, where table entries lie, the working copies, previews and
// help texts. Data sets are written by hand, and one wrong byte in a patch
// can make a handset unusable.
namespace datasetcheck {

// The Data folder named by dir: dir itself when it holds no "Data" folder.
QString dataFolderOf(const QString& dir);

// Checks the data set in dataFolder; its working folders lie beside it.
Report run(const QString& dataFolder);

} // namespace datasetcheck

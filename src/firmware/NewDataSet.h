// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "firmware/FirmwareImage.h"

#include <QString>

// What port and draft share when they make a data set for a firmware: the
// staged data set added through import's checked path only once it matches
// the firmware. (The new id is checked before any work, by
// firmwareid::newFolder.)
namespace newdataset {

// Adds the data set staged in stagingRoot (holding "Data") to userFolder as
// id when it matches image and passes the check. report gets what the match
// found (warnings too) and what the check found, files named as in the added
// folder. Whether it was added.
bool addWhenMatching(const QString& stagingRoot, const FirmwareImage& image, const QString& id,
                     const QString& userFolder, Report& report);

} // namespace newdataset

// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "dataset/FirmwareDataSet.h"
#include "manager/AddressLayout.h"

#include <QStringList>

// Everything a data set places at a fixed address (regions, table entries,
// volume bytes, required records, the Patch64K line): inside the 32-bit
// address space and clear of one another (see addresslayout::collisions).
namespace addresslayoutcheck {

// fixedRecords: what addresslayout::fixedRecords gives for the data set.
void run(const FirmwareDataSet& data, const QStringList& iniLines,
         std::vector<AddressSpan> fixedRecords, Report& report);

} // namespace addresslayoutcheck

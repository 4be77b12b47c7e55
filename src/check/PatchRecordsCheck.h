// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "dataset/FirmwareDataSet.h"
#include "manager/AddressLayout.h"

#include <QStringList>

// The records every patch copies: the Patch64K line must be one S3 data
// record, and each line of the required patches a well-formed record (a
// header or end record is copied too, which is worth a warning).
namespace patchrecordscheck {

// Gives what those records write (see addresslayout::fixedRecords), read in
// the same pass.
std::vector<AddressSpan> run(const FirmwareDataSet& data, const QStringList& iniLines,
                             Report& report);

} // namespace patchrecordscheck

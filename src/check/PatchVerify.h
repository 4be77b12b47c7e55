// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "dataset/FirmwareDataSet.h"

#include <QString>

// The check of a patch file before it is flashed: every line a well-formed
// record, the ranges it writes, bytes written twice, where the header and end
// records stand. With a data set it also names what each range writes and
// follows every rewritten table entry to the data it points at.
namespace patchverify {

// The findings name the file `name`, by default its path.
Report run(const QString& patchPath, const FirmwareDataSet* data, const QString& name = {});

} // namespace patchverify

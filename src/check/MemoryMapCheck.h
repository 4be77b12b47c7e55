// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "dataset/FirmwareDataSet.h"

#include <QStringList>

// Memory.ini's regions: offsets that convert, sizes that fit 32 bits, and for
// the available managers a start before the end and room after the string
// table. iniLines, Memory.ini's text, gives the findings their lines.
namespace memorymapcheck {

void run(const FirmwareDataSet& data, const QStringList& iniLines, Report& report);

} // namespace memorymapcheck

// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "dataset/FirmwareDataSet.h"

// The files beside the lists: each replaced slot's working copy with the
// size its list records (a picture's once converted), the picture previews
// and the help texts.
namespace slotfilescheck {

void run(const FirmwareDataSet& data, Report& report);

} // namespace slotfilescheck

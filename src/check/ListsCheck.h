// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "dataset/FirmwareDataSet.h"

// The lists of a data set: that each available manager's lists are there and
// can be read whole, that companion lists have a line for every slot, and the
// form of every field (addresses, entries, sizes, file names, volumes),
// with what the recorded sizes add up to against the manager's memory.
namespace listscheck {

// Reads the lists of every available manager into data, reporting those that
// are missing, cannot be read, or are cut at a NUL or an overlong line.
void load(FirmwareDataSet& data, Report& report);

// Checks the lists load read.
void run(const FirmwareDataSet& data, Report& report);

} // namespace listscheck

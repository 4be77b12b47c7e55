// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "firmware/FirmwareImage.h"
#include "firmware/StandardResources.h"
#include "manager/AddressLayout.h"

#include <QStringList>
#include <optional>
#include <vector>

class DataSetWriter;

// Where a port placed the data set in the new firmware, what is checked of
// it once every address is placed, and the data set written from it.
namespace firmwareport {

struct Placement {
    struct Slot {
        StandardResource r;
        std::optional<std::uint64_t> resource;
        std::optional<std::uint64_t> table;
        tableentry::Fields entry;
    };
    struct Record {
        AddressSpan span;
        std::uint64_t to = 0;
    };
    struct Region {
        AddressSpan span;
        std::uint64_t start = 0;
        std::uint64_t last = 0; // the EndOffset value, one past the last byte
    };
    std::vector<Slot> slotPlaces;
    std::vector<std::uint64_t> volumes; // one a melody slot, with the volume patch
    std::vector<Record> records;        // the Patch64K line and the required patches
    std::vector<Region> regions;
};

// Every byte erased in an old region must be erased in its new place too.
void checkRegions(const Placement& placed, const FirmwareImage& oldImage,
                  const FirmwareImage& newImage, Report& report);
// A record carried to a new place must write over the bytes it replaced in
// the old firmware; a warning instead of an error with allowChanged.
void checkRecords(const Placement& placed, const FirmwareImage& oldImage,
                  const FirmwareImage& newImage, bool allowChanged, Report& report);

// The data set's files for the new firmware, over the copy of the old ones:
// the standard slots' lists, the previews, the volume lists, Memory.ini and
// the required patches with their records moved.
void write(const Placement& placed, const FirmwareDataSet& data, const FirmwareImage& newImage,
           const QStringList& iniLines, const DataSetWriter& writer);

} // namespace firmwareport

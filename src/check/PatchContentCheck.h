// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "check/PatchImage.h"
#include "check/TableEntryCheck.h"
#include "manager/AddressLayout.h"

#include <map>
#include <vector>

// What a patch must hold, given the data set: a manager's patch writes every
// table entry and volume byte of its slots, every required patch and (for
// melodies) the Patch64K line whole and unchanged, volumes from 01 to 7F, and
// no data in its region that none of its table entries points at.
namespace patchcontentcheck {

// A record the data set says every patch of a manager carries: the Patch64K
// line, or a data record of a required patch.
struct FixedRecord {
    QString label; // "the Patch64K line", "required patch a.s3"
    QString file;
    qint64 line = 0;
    bool patch64K = false;
    std::uint64_t address = 0;
    std::vector<std::uint8_t> data;
    std::uint64_t end() const { return address + data.size(); }
};
// The records among addresslayout::fixedRecords' spans, each read there once.
std::vector<FixedRecord> fixedRecords(const std::vector<AddressSpan>& spans);

// What the patch is: the managers whose marks it writes. A manager's marks
// are its table entries, and for melodies the volume bytes and the Patch64K
// line, where no required patch writes the same bytes; a patch carrying the
// required patches is also the patch of every manager it writes data for in
// its region. A custom patch writes none of them, so it stays free to write
// anywhere outside the regions.
struct Kinds {
    std::map<const ManagerInfo*, int> entries; // entries written, per manager
    bool required = false;                     // writes bytes of a required patch
    bool region = false;                       // writes bytes in a manager's region
    bool any() const { return !entries.empty(); }
    bool of(const ManagerInfo& info) const { return entries.count(&info) != 0; }
    // A patch whose every byte must land on something the data set names:
    // what a build of this data set writes, or data placed in a region.
    bool placed() const { return any() || required || region; }
};
Kinds kindsOf(const PatchImage& image, const std::vector<AddressSpan>& spans);

// Entries, volume bytes, required patches and Patch64K: missing, in part,
// changed, out of range. Needs their bytes kept.
void check(const PatchImage& image, const std::vector<AddressSpan>& spans,
           const std::vector<FixedRecord>& fixed, const Kinds& kinds, const QString& path,
           Report& report);
// Bytes in the string-table reserve at the start of the melody and Java
// regions, where no patch ever writes.
void checkReserve(const FirmwareDataSet& data, const PatchImage& image,
                  const std::vector<AddressSpan>& spans, const QString& path, Report& report);
// Bytes in a manager's region that none of the patch's entries points at.
void checkUnreferenced(const PatchImage& image, const std::vector<AddressSpan>& spans,
                       const tableentrycheck::Pointed& pointed, const Kinds& kinds,
                       const QString& path, Report& report);

} // namespace patchcontentcheck

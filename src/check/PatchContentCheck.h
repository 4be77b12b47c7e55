// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "check/AddressLayout.h"
#include "check/PatchImage.h"
#include "check/TableEntryCheck.h"

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

// What the patch is: which managers' table entries it rewrites.
struct Kinds {
    std::map<const ManagerInfo*, int> entries; // entries written, per manager
    bool any() const { return !entries.empty(); }
    bool of(const ManagerInfo& info) const { return entries.count(&info) != 0; }
};
Kinds kindsOf(const PatchImage& image, const std::vector<AddressSpan>& spans);

// Entries, volume bytes, required patches and Patch64K: missing, in part,
// changed, out of range. Needs their bytes kept.
void check(const PatchImage& image, const std::vector<AddressSpan>& spans,
           const std::vector<FixedRecord>& fixed, const Kinds& kinds, const QString& path,
           Report& report);
// Bytes in a manager's region that none of the patch's entries points at.
void checkUnreferenced(const PatchImage& image, const std::vector<AddressSpan>& spans,
                       const tableentrycheck::Pointed& pointed, const Kinds& kinds,
                       const QString& path, Report& report);

} // namespace patchcontentcheck

// SPDX-License-Identifier: MIT
#pragma once

#include "dataset/FirmwareDataSet.h"
#include "srec/SRecordReader.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// Where a data set says things lie in the firmware: the regions of the
// available managers, every slot's table entry, the volume bytes, and the
// bytes the Patch64K line and the required patches write. The check compares
// them with one another; verify names what a patch writes.
struct AddressSpan {
    enum class Kind { Region, TableEntry, VolumeByte, Patch64K, RequiredPatch };
    Kind kind = Kind::Region;
    std::uint64_t start = 0;
    std::uint64_t end = 0; // one past the last byte
    QString label;         // "melody table entry of slot 3"
    QString group;         // "melody table entries", for summaries
    QString file;
    qint64 line = 0;
    const ManagerInfo* manager = nullptr;
    qsizetype slot = -1;
    std::vector<std::uint8_t> bytes; // what a Patch64K or required record writes

    bool isRecord() const { return kind == Kind::Patch64K || kind == Kind::RequiredPatch; }
};

// Two spans of a data set that take the same bytes of the firmware where
// they must not: `at` is the one a finding names (the one placed onto the
// other), `other` the one it collides with.
struct AddressCollision {
    const AddressSpan* at = nullptr;
    const AddressSpan* other = nullptr;
    std::uint64_t start = 0;
    std::uint64_t end = 0; // one past the last byte both take
};

namespace addresslayout {

// [StartOffset, EndOffset) of each available manager whose offsets convert:
// the totals are end minus start, so no builder writes the byte at EndOffset.
// Memory.ini lines are named when lines holds its text.
std::vector<AddressSpan> regions(const FirmwareDataSet& data, const QStringList& iniLines);
// The bytes at the start of a region kept for the firmware's string table,
// where no builder places a file: [StringTable] Size for melodies and Java,
// none for pictures (and none when Size is negative or passes the region).
std::uint64_t reserveOf(const FirmwareDataSet& data, const AddressSpan& region);
// The table entries of the available managers' slots and, with the volume
// patch, the volume bytes; lines that are no address are left out.
std::vector<AddressSpan> tableEntries(const FirmwareDataSet& data);
// The same appended to spans, with `label` left empty when !labelled (a data
// set of a million slots would hold a million names; labelOf makes the one a
// finding needs).
void appendTableEntries(const FirmwareDataSet& data, std::vector<AddressSpan>& spans,
                        bool labelled);
// The span's label, made from its manager and slot when it was left empty.
QString labelOf(const AddressSpan& span);

// The Patch64K line read as one S-record; the parser's problem when it is none.
QString readPatch64K(const MemoryMap& map, srec::SRecord& record);

using RequiredLineVisit =
    std::function<void(const QString& file, const srec::SRecordReader::Line& line)>;
using UnreadableVisit = std::function<void(const QString& file)>;

// What the required patches' data records and then the Patch64K line (of a
// data set with melodies) write, in the order a melody patch holds them.
// visit, when given, sees every line of every "*.s3" file of ReqPatches as
// it is read, in that order; unreadable every such file that cannot be read.
std::vector<AddressSpan> fixedRecords(const FirmwareDataSet& data, const QStringList& iniLines,
                                      const RequiredLineVisit& visit = {},
                                      const UnreadableVisit& unreadable = {});

// Every pair of spans that must not share a byte and does: a region with any
// other span, a table entry or volume byte with anything, and two records
// that write one address with different bytes (the same bytes twice are
// harmless). The records of one required patch are named once for each span
// they collide with, not once per record. Among equals, the later span in the
// list is the one named.
std::vector<AddressCollision> collisions(const std::vector<AddressSpan>& spans);

} // namespace addresslayout

// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "firmware/FirmwareImage.h"
#include "firmware/FirmwareScan.h"

#include <QString>
#include <cstdint>
#include <optional>

// A first data set for a firmware nobody has mapped, made from what the scan
// finds: one slot per table entry of each kind, in the order of the entries'
// addresses. Only the pages whose free region a person gives are switched
// on; the draft must pass the data set check and the match against its
// firmware before it is added, and is never written over an existing one.
namespace firmwaredraft {

// [start, end): a manager's region in Memory.ini.
struct Region {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
};
// "A-B", each an address (decimal, or hexadecimal after 0x), B the last byte
// as every printed range has it; nothing for any other text, B below A, or a
// B whose next address needs more than 32 bits.
std::optional<Region> parseRegion(const QString& text);

// `wanted` when no firmware folder has that name, else the first of
// "wanted_2", "wanted_3"... that is free.
QString freeId(const QString& wanted, const QString& userFolder);

// An erased area as region text, "0x01400000-0x0147FFFF", pasteable into
// parseRegion.
QString regionText(const firmwarescan::Area& area);

struct Options {
    QString id;
    std::optional<Region> melodies;
    std::optional<Region> java;
    std::optional<Region> pictures;
    QString firmwareFile; // what findings about the firmware name

    bool anyRegion() const;
};

struct Result {
    QString id;
    QString firmwareFolder;
    bool created = false;
    int melodies = 0; // slots of each page
    int java = 0;
    int pictures = 0;
    QStringList unplaced;                       // files and entries left out, and why
    std::vector<firmwarescan::Area> candidates; // erased areas, for regions
    Report report;                              // what the checks of the draft found

    // The findings, then what was left out, the slots and the candidate
    // regions with the warning, as summary lines.
    Report withSummary() const;
    QString text() const;
};

// Raises for an id that cannot name a new firmware folder or names one that
// exists, and when no region is given. Creates nothing, leaving the id free,
// when a region reaches outside the firmware or the pages switched on get no
// slot: the report says why.
Result run(const FirmwareImage& image, const firmwarescan::Result& scan, const Options& options,
           const QString& userFolder);

} // namespace firmwaredraft

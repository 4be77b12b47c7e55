// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "firmware/FirmwareImage.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// The way back from flashed patches: one S3 patch that writes, at every
// address any of them writes, the firmware's own byte, so that the stock
// firmware returns without flashing it whole.
namespace firmwarerevert {

struct Span {
    std::uint64_t start = 0;
    std::uint64_t end = 0; // one past the last byte
    std::uint64_t size() const { return end - start; }
};

struct Result {
    std::vector<Span> ranges; // what the patches write, joined, by address
    QByteArray text;          // the revert patch; empty when refused
    std::uint64_t bytes = 0;
    std::uint64_t records = 0; // data records, as read back from text
    Report report;             // why it was refused, if it was

    bool made() const { return report.errors() == 0 && !text.isEmpty(); }
    QString summary() const; // one line
    QJsonObject json(const QString& output, bool written) const;
};

// The addresses the patches write, joined where they touch. A record writing
// bytes the firmware does not hold is an error naming that range.
std::vector<Span> writtenRanges(const FirmwareImage& firmware, const QStringList& patches,
                                Report& report);

// The revert patch of the patches: S3 records of 16 bytes, in address order,
// between a header and the firmware's own end record. It is made only when
// applying the patches and then it to the firmware gives the firmware back
// byte for byte.
Result make(const FirmwareImage& firmware, const QStringList& patches);

// Whether the file at path, read as users' patches are, writes exactly the
// result's bytes (after it was written).
bool writtenAsMade(const QString& path, const FirmwareImage& firmware, const Result& result,
                   Report& report);

// A made result written to `output` through OutputFile and read back:
// whether it stands there as made (a stream, standard output included,
// cannot be read back and counts as written). Nothing is written when the
// result was not made; the findings of the reading go into its report.
bool write(const QString& output, const FirmwareImage& firmware, Result& result);

} // namespace firmwarerevert

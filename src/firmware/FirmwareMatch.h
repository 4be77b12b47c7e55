// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "dataset/FirmwareDataSet.h"
#include "firmware/FirmwareImage.h"

#include <QJsonObject>
#include <QString>
#include <vector>

// Whether a data set belongs to a firmware: every table entry holds its
// standard value, every standard resource lies whole (pictures well formed)
// in the firmware, every volume byte is standard, every required patch
// record is applied or writes over bytes the firmware holds, and no region
// holds a standard resource.
namespace firmwarematch {

struct Tally {
    QString what; // "melody entries match the firmware"
    int matched = 0;
    int total = 0;
};

struct Result {
    Report report;
    std::vector<Tally> tallies;
    int entriesDiffering = 0; // table entries that differ or lie outside the firmware
    int resourcesMissing = 0; // standard resources not whole in the firmware

    bool matches() const { return report.errors() == 0; }
    // The findings with one tally a line as its summary, as the window shows it.
    Report withTallies() const;
    QString text() const; // the findings, one tally a line, the count
    QJsonObject json() const;
};

// readReport: what reading the firmware found, put before the match's own findings.
Result run(const FirmwareDataSet& data, const FirmwareImage& image, const Report& readReport = {});

} // namespace firmwarematch

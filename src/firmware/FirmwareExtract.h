// SPDX-License-Identifier: MIT
#pragma once

#include "firmware/FirmwareMatch.h"
#include "firmware/FirmwareScan.h"

#include <QByteArray>
#include <QString>
#include <vector>

// The standard resources taken out of a firmware through the data set:
// melodies/N.mid|mmf|bin, java/N.jad|jar, pictures/N.png (decoded) and
// index.tsv, one line per resource: manager, slot from 1, standard name,
// address, size, file, title.
namespace firmwareextract {

struct File {
    QString manager; // "melodies", "java", "pictures"
    qsizetype slot = 0;
    QString name;
    std::uint64_t address = 0;
    std::uint64_t size = 0; // in the firmware
    QString relativePath;   // "melodies/3.mid"
    QString title;          // a melody's title, a game's MIDlet-Name; empty when none
    QByteArray bytes;       // what is written
};

struct Plan {
    firmwarematch::Result match;
    std::vector<File> files;
    // Refused when a table entry differs or a resource is not whole in the firmware.
    bool refused() const { return match.entriesDiffering > 0 || match.resourcesMissing > 0; }
    QByteArray index() const; // index.tsv
};

Plan plan(const FirmwareDataSet& data, const FirmwareImage& image);

// Makes dir with the plan's files and index.tsv, whole or not at all (see
// ImportStaging); dir must not exist or be an empty folder. Raises when it
// cannot be made.
void write(const Plan& plan, const QString& dir);

// Files the scan found, named by their address (melodies/00C40000.mid,
// java/00E80000.jad, pictures/00520000.png), slots counted in the given order.
std::vector<File> scannedFiles(const FirmwareImage& image,
                               const std::vector<firmwarescan::Resource>& resources);

// The suffix of a melody by its first bytes: "mid", "mmf" or "bin".
QString melodySuffix(const std::uint8_t* bytes, std::uint64_t length);

} // namespace firmwareextract

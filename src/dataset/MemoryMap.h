// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdint>

// Where the firmware's free regions lie and which managers exist, read from
// the data set's "Memory.ini". The offsets stay text; each user converts them.
struct MemoryMap {
    QString melodyStart = QStringLiteral("0x01300000");
    QString melodyEnd = QStringLiteral("0x01AAFFEF");
    QString javaStart = QStringLiteral("0x01200000");
    QString javaEnd = QStringLiteral("0x012FFFEF");
    QString pictureStart = QStringLiteral("0x00646880");
    QString pictureEnd = QStringLiteral("0x007FFFFE");
    std::int32_t stringTableSize = 4096;
    QString patch64K = QStringLiteral("S3150006F10018184568381CFFF7E3FC041C3A1C0C4F1C");
    bool volumePatchAvailable = false;
    bool melodyPageAvailable = true;
    bool javaPageAvailable = true;
    bool picturePageAvailable = true;
    // The file the values came from, so that a bad one can be pointed at;
    // empty for a map that was not read from a file.
    QString source;
};

// A missing file, section or key leaves the default; a file that is there but
// cannot be read raises (see IniFile).
MemoryMap ReadMemoryMap(const QString& iniPath);

// The space each manager may fill, fixed for the run. Every subtraction is
// checked ("Integer overflow"); an offset that is no integer raises
// "'%s' is not a valid integer value", its reason naming the source's file,
// line and key, so that a user of the command line can find and mend it.
struct MemoryTotals {
    std::int32_t melodies = 0;
    std::int32_t java = 0;
    std::int32_t pictures = 0;
};

MemoryTotals ComputeMemoryTotals(const MemoryMap& map);

// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

struct ManagerInfo;

// Memory.ini's sections and keys; each manager's region is in its own
// section (ManagerInfo::iniSection).
namespace memoryini {
inline const QString kRegionStartKey = QStringLiteral("StartOffset");
inline const QString kRegionEndKey = QStringLiteral("EndOffset");
inline const QString kStringTableSection = QStringLiteral("StringTable");
inline const QString kStringTableSizeKey = QStringLiteral("Size");
inline const QString kPatchesSection = QStringLiteral("Patches");
inline const QString kPatch64KKey = QStringLiteral("Patch64K");
inline const QString kVolumePatchKey = QStringLiteral("VolumePatchAvailable");
} // namespace memoryini

// Where the firmware's free regions lie and which managers exist, read from
// the data set's Memory.ini. The offsets stay text; each user converts them.
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
MemoryMap readMemoryMap(const QString& iniPath);
// The file's lines, to find a key's line; none when it is no regular file or
// cannot be read.
QStringList readMemoryIniLines(const QString& iniPath);

// Memory.ini's lines for a map: the comment lines, then the region of each
// available manager, the string table and [Patches]. Offsets are written as
// the map holds them.
QStringList memoryIniLinesOf(const MemoryMap& map, const QStringList& comments);
// An address as a written region holds it: "0x" and eight upper-case digits.
QString memoryIniOffset(std::uint32_t address);
// Set in Memory.ini's lines, every other line kept (see IniFile::setValue).
void setMemoryIniRegion(QStringList& lines, const ManagerInfo& info, std::uint32_t start,
                        std::uint32_t end);
void setMemoryIniPatch64K(QStringList& lines, const QString& record);

// The space each manager may fill, fixed for the run. Every subtraction is
// checked ("Integer overflow"); an offset that is no integer raises
// "'%s' is not a valid integer value", its reason naming the source's file,
// line and key, so that a user of the command line can find and mend it.
struct MemoryTotals {
    std::int32_t melodies = 0;
    std::int32_t java = 0;
    std::int32_t pictures = 0;
};

MemoryTotals computeMemoryTotals(const MemoryMap& map);

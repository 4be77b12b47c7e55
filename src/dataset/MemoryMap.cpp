// SPDX-License-Identifier: MIT
#include "dataset/MemoryMap.h"

#include "base/LineSplitter.h"
#include "base/TarvexError.h"
#include "dataset/ListFile.h"
#include "dataset/ManagerInfo.h"
#include "dataset/NumericText.h"
#include "platform/FileOps.h"
#include "platform/IniFile.h"

#include <QCoreApplication>
#include <QFile>
#include <array>
#include <vector>

namespace {

// Where a bad offset stands: "PATH:LINE: [Section] Key", and what finds every
// such fault at once.
QString offsetPlace(const QString& iniPath, const QString& section, const QString& key) {
    const qint64 line = IniFile::lineOf(readMemoryIniLines(iniPath), section, key);
    const QString file = line > 0 ? QStringLiteral("%1:%2").arg(iniPath).arg(line) : iniPath;
    return QCoreApplication::translate("Report", "%1: [%2] %3; \"tarvex-cli check\" lists every "
                                                 "fault of the data set")
        .arg(file, section, key);
}

std::int32_t offset(const MemoryMap& map, const ManagerInfo& info, bool end) {
    const QString& text = map.*(end ? info.regionEnd : info.regionStart);
    std::int32_t value = 0;
    if (numeric::tryToInt(text, value)) {
        return value;
    }
    if (map.source.isEmpty()) {
        throw errors::invalidInteger(text);
    }
    // The message stays the one the window shows; the place goes beside it.
    const QString& key = end ? memoryini::kRegionEndKey : memoryini::kRegionStartKey;
    const TarvexError invalid = errors::invalidInteger(text);
    throw TarvexError(invalid.message(), invalid.englishMessage(),
                      offsetPlace(map.source, info.iniSection, key));
}

std::int32_t regionSize(const MemoryMap& map, const ManagerInfo& info) {
    const std::int32_t start = offset(map, info, false);
    const std::int32_t size = numeric::sub(offset(map, info, true), start);
    return info.afterStringTable ? numeric::sub(size, map.stringTableSize) : size;
}

} // namespace

QStringList readMemoryIniLines(const QString& iniPath) {
    // Only a regular file is read: a FIFO here would never end.
    QFile ini;
    QStringList lines;
    if (fileops::openRegular(ini, iniPath)) {
        textlines::collectLines(ini, lines, nullptr, listfile::kLongestLine);
    }
    return lines;
}

MemoryMap readMemoryMap(const QString& iniPath) {
    MemoryMap map;
    map.source = iniPath;
    struct Field {
        QString section;
        QString key;
        QString* text = nullptr;         // kept as text
        std::int32_t* integer = nullptr; // read by the INI integer rule
        bool* flag = nullptr;            // an integer, on unless 0
    };
    using namespace memoryini;
    const QString& patches = kPatchesSection;
    std::int32_t volume = map.volumePatchAvailable;
    std::array<std::int32_t, 3> pages{};
    std::vector<Field> fields{
        {kStringTableSection, kStringTableSizeKey, nullptr, &map.stringTableSize},
        {patches, kPatch64KKey, &map.patch64K},
        {patches, kVolumePatchKey, nullptr, &volume, &map.volumePatchAvailable},
    };
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const ManagerInfo& info = *managers::all()[i];
        pages[i] = map.*info.available;
        fields.push_back({info.iniSection, kRegionStartKey, &(map.*info.regionStart)});
        fields.push_back({info.iniSection, kRegionEndKey, &(map.*info.regionEnd)});
        fields.push_back({patches, info.availableKey, nullptr, &pages[i], &(map.*info.available)});
    }
    // One pass over the file for every key.
    QList<IniFile::Key> keys;
    for (const Field& f : fields) {
        keys.append({f.section, f.key});
    }
    const auto values = IniFile(iniPath).lookup(keys);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const Field& f = fields[i];
        if (values[i] && f.text) {
            *f.text = *values[i];
        } else if (values[i]) {
            *f.integer = numeric::iniToInt(*values[i], *f.integer);
        }
        if (f.flag) {
            *f.flag = *f.integer != 0;
        }
    }
    return map;
}

QStringList memoryIniLinesOf(const MemoryMap& map, const QStringList& comments) {
    using namespace memoryini;
    const auto line = [](const QString& key, const QString& value) {
        return key + QLatin1Char('=') + value;
    };
    const auto section = [](const QString& name) {
        return QLatin1Char('[') + name + QLatin1Char(']');
    };
    QStringList lines = comments;
    for (const ManagerInfo* info : managers::all()) {
        if (map.*info->available) {
            lines << section(info->iniSection) << line(kRegionStartKey, map.*info->regionStart)
                  << line(kRegionEndKey, map.*info->regionEnd) << QString();
        }
    }
    lines << section(kStringTableSection)
          << line(kStringTableSizeKey, QString::number(map.stringTableSize)) << QString()
          << section(kPatchesSection) << line(kPatch64KKey, map.patch64K)
          << line(kVolumePatchKey, QString::number(int(map.volumePatchAvailable)));
    for (const ManagerInfo* info : managers::all()) {
        lines << line(info->availableKey, QString::number(int(map.*info->available)));
    }
    return lines;
}

QString memoryIniOffset(std::uint32_t address) {
    return QStringLiteral("0x") + numeric::hex(address, 8);
}

void setMemoryIniRegion(QStringList& lines, const ManagerInfo& info, std::uint32_t start,
                        std::uint32_t end) {
    IniFile::setValue(lines, info.iniSection, memoryini::kRegionStartKey, memoryIniOffset(start));
    IniFile::setValue(lines, info.iniSection, memoryini::kRegionEndKey, memoryIniOffset(end));
}

void setMemoryIniPatch64K(QStringList& lines, const QString& record) {
    IniFile::setValue(lines, memoryini::kPatchesSection, memoryini::kPatch64KKey, record);
}

MemoryTotals computeMemoryTotals(const MemoryMap& map) {
    MemoryTotals totals;
    for (const ManagerInfo* info : managers::all()) {
        totals.*info->total = regionSize(map, *info);
    }
    return totals;
}

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
    QFile ini;
    QStringList lines;
    if (fileops::openRegular(ini, iniPath)) {
        textlines::collectLines(ini, lines, nullptr, listfile::kLongestLine);
    }
    const qint64 line = IniFile::lineOf(lines, section, key);
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
    const QString key = end ? QStringLiteral("EndOffset") : QStringLiteral("StartOffset");
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

MemoryMap ReadMemoryMap(const QString& iniPath) {
    MemoryMap map;
    map.source = iniPath;
    struct Field {
        QString section;
        QString key;
        QString* text = nullptr;         // kept as text
        std::int32_t* integer = nullptr; // read by the INI integer rule
        bool* flag = nullptr;            // an integer, on unless 0
    };
    const QString patches = QStringLiteral("Patches");
    std::int32_t volume = map.volumePatchAvailable;
    std::array<std::int32_t, 3> pages{};
    std::vector<Field> fields{
        {QStringLiteral("StringTable"), QStringLiteral("Size"), nullptr, &map.stringTableSize},
        {patches, QStringLiteral("Patch64K"), &map.patch64K},
        {patches, QStringLiteral("VolumePatchAvailable"), nullptr, &volume,
         &map.volumePatchAvailable},
    };
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const ManagerInfo& info = *managers::all()[i];
        pages[i] = map.*info.available;
        fields.push_back(
            {info.iniSection, QStringLiteral("StartOffset"), &(map.*info.regionStart)});
        fields.push_back({info.iniSection, QStringLiteral("EndOffset"), &(map.*info.regionEnd)});
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

MemoryTotals ComputeMemoryTotals(const MemoryMap& map) {
    MemoryTotals totals;
    for (const ManagerInfo* info : managers::all()) {
        totals.*info->total = regionSize(map, *info);
    }
    return totals;
}

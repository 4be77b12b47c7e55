// SPDX-License-Identifier: MIT
#include "dataset/MemoryMap.h"

#include "dataset/ManagerInfo.h"
#include "dataset/NumericText.h"
#include "platform/IniFile.h"

#include <array>
#include <vector>

MemoryMap ReadMemoryMap(const QString& iniPath) {
    MemoryMap map;
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
    using numeric::sub;
    using numeric::toInt;
    MemoryTotals totals;
    totals.melodies = sub(sub(toInt(map.melodyEnd), toInt(map.melodyStart)), map.stringTableSize);
    totals.java = sub(sub(toInt(map.javaEnd), toInt(map.javaStart)), map.stringTableSize);
    totals.pictures = sub(toInt(map.pictureEnd), toInt(map.pictureStart));
    return totals;
}

// SPDX-License-Identifier: MIT
#include "dataset/MemoryMap.h"

#include "dataset/NumericText.h"
#include "platform/IniFile.h"

#include <iterator>

MemoryMap ReadMemoryMap(const QString& iniPath) {
    MemoryMap map;
    struct Field {
        const char* section;
        const char* key;
        QString* text = nullptr;         // kept as text
        std::int32_t* integer = nullptr; // read by the INI integer rule
        bool* flag = nullptr;            // an integer, on unless 0
    };
    std::int32_t volume = map.volumePatchAvailable, melodies = map.melodyPageAvailable,
                 java = map.javaPageAvailable, pictures = map.picturePageAvailable;
    const Field fields[] = {
        {"Melodies", "StartOffset", &map.melodyStart},
        {"Melodies", "EndOffset", &map.melodyEnd},
        {"JavaGames", "StartOffset", &map.javaStart},
        {"JavaGames", "EndOffset", &map.javaEnd},
        {"Pictures", "StartOffset", &map.pictureStart},
        {"Pictures", "EndOffset", &map.pictureEnd},
        {"StringTable", "Size", nullptr, &map.stringTableSize},
        {"Patches", "Patch64K", &map.patch64K},
        {"Patches", "VolumePatchAvailable", nullptr, &volume, &map.volumePatchAvailable},
        {"Patches", "MelTabAvailable", nullptr, &melodies, &map.melodyPageAvailable},
        {"Patches", "JavaTabAvailable", nullptr, &java, &map.javaPageAvailable},
        {"Patches", "PicTabAvailable", nullptr, &pictures, &map.picturePageAvailable},
    };
    // One pass over the file for every key.
    QList<IniFile::Key> keys;
    for (const Field& f : fields) {
        keys.append({QLatin1String(f.section), QLatin1String(f.key)});
    }
    const auto values = IniFile(iniPath).lookup(keys);
    for (std::size_t i = 0; i < std::size(fields); ++i) {
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

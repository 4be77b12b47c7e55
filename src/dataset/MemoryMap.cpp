#include "dataset/MemoryMap.h"

#include "dataset/NumericText.h"
#include "platform/IniFile.h"

MemoryMap ReadMemoryMap(const QString& iniPath) {
    const IniFile ini(iniPath);
    MemoryMap map;
    auto text = [&](const char* section, const char* key, QString& field) {
        field = ini.readString(QLatin1String(section), QLatin1String(key), field);
    };
    auto integer = [&](const char* section, const char* key, std::int32_t fallback) {
        if (!ini.contains(QLatin1String(section), QLatin1String(key))) {
            return fallback;
        }
        return numeric::iniToInt(ini.readString(QLatin1String(section), QLatin1String(key), {}),
                                 fallback);
    };
    auto flag = [&](const char* key, bool fallback) {
        return integer("Patches", key, fallback ? 1 : 0) != 0;
    };
    text("Melodies", "StartOffset", map.melodyStart);
    text("Melodies", "EndOffset", map.melodyEnd);
    text("JavaGames", "StartOffset", map.javaStart);
    text("JavaGames", "EndOffset", map.javaEnd);
    text("Pictures", "StartOffset", map.pictureStart);
    text("Pictures", "EndOffset", map.pictureEnd);
    map.stringTableSize = integer("StringTable", "Size", map.stringTableSize);
    text("Patches", "Patch64K", map.patch64K);
    map.volumePatchAvailable = flag("VolumePatchAvailable", map.volumePatchAvailable);
    map.melodyPageAvailable = flag("MelTabAvailable", map.melodyPageAvailable);
    map.javaPageAvailable = flag("JavaTabAvailable", map.javaPageAvailable);
    map.picturePageAvailable = flag("PicTabAvailable", map.picturePageAvailable);
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

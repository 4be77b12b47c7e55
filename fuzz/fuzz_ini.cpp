// SPDX-License-Identifier: MIT
// Memory.ini through the INI reader into the memory map and the three totals.
#include "FuzzSupport.h"
#include "base/TarvexError.h"
#include "dataset/MemoryMap.h"
#include "dataset/NumericText.h"
#include "platform/IniFile.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace {

// The totals by wide arithmetic, or nothing where the product must refuse.
std::optional<std::int64_t> difference(const QString& end, const QString& start,
                                       std::int64_t reserve) {
    std::int32_t e = 0;
    std::int32_t s = 0;
    if (!numeric::tryToInt(end, e) || !numeric::tryToInt(start, s)) {
        return std::nullopt;
    }
    const std::int64_t inner = std::int64_t(e) - s;
    if (inner < std::numeric_limits<std::int32_t>::min() ||
        inner > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return inner - reserve;
}

bool fits(std::int64_t v) {
    return v >= std::numeric_limits<std::int32_t>::min() &&
           v <= std::numeric_limits<std::int32_t>::max();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path =
        fuzz::writeScratchFile(QStringLiteral("Memory.ini"), fuzz::bytesOf(data, size));
    const MemoryMap map = readMemoryMap(path);
    for (const QString* text : {&map.melodyStart, &map.melodyEnd, &map.javaStart, &map.javaEnd,
                                &map.pictureStart, &map.pictureEnd, &map.patch64K}) {
        fuzz::check(text->size() <= IniFile::kMaxValueLength, "value longer than the INI limit");
    }

    const auto melodies = difference(map.melodyEnd, map.melodyStart, map.stringTableSize);
    const auto java = difference(map.javaEnd, map.javaStart, map.stringTableSize);
    const auto pictures = difference(map.pictureEnd, map.pictureStart, 0);
    const bool computable =
        melodies && java && pictures && fits(*melodies) && fits(*java) && fits(*pictures);
    try {
        const MemoryTotals totals = computeMemoryTotals(map);
        fuzz::check(computable, "totals computed where they overflow or are no numbers");
        fuzz::check(totals.melodies == *melodies && totals.java == *java &&
                        totals.pictures == *pictures,
                    "totals differ from wide arithmetic");
    } catch (const TarvexError&) {
        fuzz::check(!computable, "totals refused where they fit");
    }
    return 0;
}

// SPDX-License-Identifier: MIT
#include "rtf/RtfCodePages.h"

#include "base/Cp1251.h"

#include <QString>
#include <string>

namespace rtf {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; its five unassigned
// bytes keep their C1 values, as Windows maps them.
constexpr char16_t k1252C1[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

ByteTable make1251() {
    std::string bytes(256, '\0');
    for (int i = 0; i < 256; ++i) {
        bytes[size_t(i)] = char(i);
    }
    const QString text = cp1251::decode(std::string_view(bytes));
    ByteTable table{};
    for (int i = 0; i < 256; ++i) {
        table[size_t(i)] = text.at(i).unicode();
    }
    return table;
}

ByteTable make1252() {
    ByteTable table{};
    for (int i = 0; i < 256; ++i) {
        table[size_t(i)] = char16_t(i);
    }
    for (int i = 0; i < 32; ++i) {
        table[size_t(0x80 + i)] = k1252C1[i];
    }
    return table;
}

} // namespace

bool isSupportedCodePage(int codePage) {
    return codePage == 1251 || codePage == 1252;
}

const ByteTable& codePageTable(int codePage) {
    static const ByteTable cp1251Table = make1251();
    static const ByteTable cp1252Table = make1252();
    return codePage == 1252 ? cp1252Table : cp1251Table;
}

int codePageOfCharset(int charset) {
    switch (charset) {
    case 0: // ANSI
        return 1252;
    case 2: // symbol fonts: show their bytes as Latin-1 rather than as Cyrillic
        return 1252;
    case 204: // RUSSIAN
        return 1251;
    default:
        return 0;
    }
}

} // namespace rtf

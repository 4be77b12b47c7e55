// SPDX-License-Identifier: MIT
#pragma once

#include <array>

// The 8-bit code pages help texts use. Cyrillic (1251) is the data sets' own;
// Western (1252) appears for Latin-only fonts in files saved on Russian systems.
namespace rtf {

using ByteTable = std::array<char16_t, 256>;

bool isSupportedCodePage(int codePage);
// The table of a supported code page; any other code page gets Windows-1251.
const ByteTable& codePageTable(int codePage);
// The code page a font's \fcharset implies, 0 when the charset leaves it to the
// document (DEFAULT_CHARSET) or names one the reader does not know.
int codePageOfCharset(int charset);

} // namespace rtf

// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace rtf {

// The control words the reader acts on; every other word is ignored.
enum class Keyword {
    Unknown,
    // Document and tables
    AnsiCodePage,
    DefaultFont,
    FontTable,
    ColorTable,
    SkippedDestination,
    Font,
    FontCharset,
    FontCodePage,
    Red,
    Green,
    Blue,
    // Character formatting
    Plain,
    Bold,
    Italic,
    Strike,
    Hidden,
    Underline,
    UnderlineNone,
    UnderlineDotted,
    UnderlineDashed,
    UnderlineWave,
    FontSize,
    Foreground,
    Background,
    Super,
    Sub,
    NoSuperSub,
    // Paragraphs and breaks
    Par,
    Pard,
    Line,
    Tab,
    Cell,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    // Characters
    Unicode,
    UnicodeSkip,
    Binary,
    Special,
};

struct KeywordInfo {
    Keyword keyword = Keyword::Unknown;
    char16_t character = 0; // the character of a Special word
};

KeywordInfo lookupKeyword(std::string_view word);

} // namespace rtf

// SPDX-License-Identifier: MIT
#include "rtf/RtfKeywords.h"

#include <string_view>
#include <unordered_map>

namespace rtf {
namespace {

using Map = std::unordered_map<std::string_view, KeywordInfo>;

Map makeMap() {
    Map m;
    auto add = [&m](std::string_view word, Keyword k, char16_t c = 0) { m[word] = {k, c}; };
    add("ansicpg", Keyword::AnsiCodePage);
    add("deff", Keyword::DefaultFont);
    add("fonttbl", Keyword::FontTable);
    add("colortbl", Keyword::ColorTable);
    // Destinations whose text is not part of what a reader sees. Starred
    // destinations ({\*\...}) are skipped without being listed here.
    for (std::string_view word : {"stylesheet", "info",         "pict",
                                  "object",     "objdata",      "header",
                                  "headerl",    "headerr",      "headerf",
                                  "footer",     "footerl",      "footerr",
                                  "footerf",    "footnote",     "annotation",
                                  "atnid",      "atnauthor",    "xe",
                                  "tc",         "txe",          "rxe",
                                  "fldinst",    "pn",           "pntxta",
                                  "pntxtb",     "nonshppict",   "shp",
                                  "shpinst",    "sp",           "do",
                                  "template",   "listtable",    "listoverridetable",
                                  "revtbl",     "rsidtbl",      "filetbl",
                                  "generator",  "themedata",    "colorschememapping",
                                  "datastore",  "latentstyles", "bkmkstart",
                                  "bkmkend",    "ftnsep",       "ftnsepc",
                                  "ftncn",      "aftnsep",      "aftnsepc",
                                  "aftncn",     "userprops",    "docvar",
                                  "xmlnstbl",   "mmathPr",      "falt",
                                  "panose",     "fname"}) {
        add(word, Keyword::SkippedDestination);
    }
    add("f", Keyword::Font);
    add("fcharset", Keyword::FontCharset);
    add("cpg", Keyword::FontCodePage);
    add("red", Keyword::Red);
    add("green", Keyword::Green);
    add("blue", Keyword::Blue);

    add("plain", Keyword::Plain);
    add("b", Keyword::Bold);
    add("i", Keyword::Italic);
    add("strike", Keyword::Strike);
    add("striked", Keyword::Strike);
    add("v", Keyword::Hidden);
    add("ul", Keyword::Underline);
    for (std::string_view word : {"uldb", "ulth", "ulw", "ulthd", "ulthdash", "ulldash"}) {
        add(word, Keyword::Underline);
    }
    add("ulnone", Keyword::UnderlineNone);
    add("uld", Keyword::UnderlineDotted);
    for (std::string_view word : {"uldash", "uldashd", "uldashdd", "ulthdashd", "ulthdashdd"}) {
        add(word, Keyword::UnderlineDashed);
    }
    for (std::string_view word : {"ulwave", "ulhwave", "ululdbwave"}) {
        add(word, Keyword::UnderlineWave);
    }
    add("fs", Keyword::FontSize);
    add("cf", Keyword::Foreground);
    add("cb", Keyword::Background);
    add("highlight", Keyword::Background);
    add("super", Keyword::Super);
    add("sub", Keyword::Sub);
    add("nosupersub", Keyword::NoSuperSub);

    add("par", Keyword::Par);
    add("sect", Keyword::Par);
    add("page", Keyword::Par);
    add("column", Keyword::Par);
    add("row", Keyword::Par);
    add("pard", Keyword::Pard);
    add("line", Keyword::Line);
    add("tab", Keyword::Tab);
    add("cell", Keyword::Cell);
    add("nestcell", Keyword::Cell);
    add("ql", Keyword::AlignLeft);
    add("qc", Keyword::AlignCenter);
    add("qr", Keyword::AlignRight);
    add("qj", Keyword::AlignJustify);
    add("li", Keyword::LeftIndent);
    add("ri", Keyword::RightIndent);
    add("fi", Keyword::FirstIndent);
    add("sb", Keyword::SpaceBefore);
    add("sa", Keyword::SpaceAfter);

    add("u", Keyword::Unicode);
    add("uc", Keyword::UnicodeSkip);
    add("bin", Keyword::Binary);
    add("emdash", Keyword::Special, 0x2014);
    add("endash", Keyword::Special, 0x2013);
    add("bullet", Keyword::Special, 0x2022);
    add("lquote", Keyword::Special, 0x2018);
    add("rquote", Keyword::Special, 0x2019);
    add("ldblquote", Keyword::Special, 0x201C);
    add("rdblquote", Keyword::Special, 0x201D);
    add("emspace", Keyword::Special, 0x2003);
    add("enspace", Keyword::Special, 0x2002);
    add("qmspace", Keyword::Special, 0x2005);
    add("zwj", Keyword::Special, 0x200D);
    add("zwnj", Keyword::Special, 0x200C);
    add("ltrmark", Keyword::Special, 0x200E);
    add("rtlmark", Keyword::Special, 0x200F);
    return m;
}

} // namespace

KeywordInfo lookupKeyword(std::string_view word) {
    static const Map map = makeMap();
    const auto it = map.find(word);
    return it == map.end() ? KeywordInfo{} : it->second;
}

} // namespace rtf

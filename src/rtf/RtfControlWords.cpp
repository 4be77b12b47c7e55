// SPDX-License-Identifier: MIT
#include "rtf/RtfCodePages.h"
#include "rtf/RtfKeywords.h"
#include "rtf/RtfParser.h"

#include <algorithm>

namespace rtf {
namespace {

constexpr int kMaxHalfPoints = 3276; // 1638 pt, the largest size writers use

} // namespace

void Parser::controlWord(const Word& w) {
    const KeywordInfo info = lookupKeyword(w.name);
    if (consumeSkipped()) {
        if (info.keyword == Keyword::Binary) {
            skipBinary(w);
        }
        return;
    }
    const bool on = !w.hasParam || w.param != 0;
    const int param = w.hasParam ? w.param : 0;
    CharProps& ch = cur_.chars;
    ParaProps& para = cur_.para;
    const bool inFontTable = cur_.destination == Destination::FontTable;
    switch (info.keyword) {
    case Keyword::Unknown:
        break;
    case Keyword::AnsiCodePage:
        if (isSupportedCodePage(param)) {
            documentCodePage_ = param;
        }
        break;
    case Keyword::DefaultFont:
        tables_.defaultFont = param;
        break;
    case Keyword::FontTable:
    case Keyword::ColorTable:
        if (unsavedDepth_ > 0) {
            beginSkip(); // a table could not be left again without a saved state
            break;
        }
        cur_.destination =
            info.keyword == Keyword::FontTable ? Destination::FontTable : Destination::ColorTable;
        break;
    case Keyword::SkippedDestination:
        beginSkip();
        break;
    case Keyword::Font:
        if (inFontTable) {
            fontEntry_ = param;
            tables_.fonts[param] = FontEntry{};
        } else {
            ch.font = param;
        }
        break;
    case Keyword::FontCharset:
    case Keyword::FontCodePage:
        if (FontEntry* entry = inFontTable ? currentFontEntry() : nullptr) {
            (info.keyword == Keyword::FontCharset ? entry->charset : entry->codePage) = param;
        }
        break;
    case Keyword::Red:
    case Keyword::Green:
    case Keyword::Blue:
        if (cur_.destination == Destination::ColorTable) {
            const int v = std::clamp(param, 0, 255);
            (info.keyword == Keyword::Red     ? red_
             : info.keyword == Keyword::Green ? green_
                                              : blue_) = v;
            colorSet_ = true;
        }
        break;
    case Keyword::Plain:
        ch = CharProps{};
        break;
    case Keyword::Bold:
        ch.bold = on;
        break;
    case Keyword::Italic:
        ch.italic = on;
        break;
    case Keyword::Strike:
        ch.strike = on;
        break;
    case Keyword::Hidden:
        ch.hidden = on;
        break;
    case Keyword::Underline:
        ch.underline = on ? Underline::Single : Underline::None;
        break;
    case Keyword::UnderlineNone:
        ch.underline = Underline::None;
        break;
    case Keyword::UnderlineDotted:
        ch.underline = on ? Underline::Dotted : Underline::None;
        break;
    case Keyword::UnderlineDashed:
        ch.underline = on ? Underline::Dashed : Underline::None;
        break;
    case Keyword::UnderlineWave:
        ch.underline = on ? Underline::Wave : Underline::None;
        break;
    case Keyword::FontSize:
        ch.halfPoints = param > 0 ? std::min(param, kMaxHalfPoints) : kDefaultHalfPoints;
        break;
    case Keyword::Foreground:
        ch.foreground = param;
        break;
    case Keyword::Background:
        ch.background = param;
        break;
    case Keyword::Super:
        ch.position = VerticalPosition::Super;
        break;
    case Keyword::Sub:
        ch.position = VerticalPosition::Sub;
        break;
    case Keyword::NoSuperSub:
        ch.position = VerticalPosition::Normal;
        break;
    case Keyword::Par:
        paragraph();
        break;
    case Keyword::Pard:
        para = ParaProps{};
        break;
    case Keyword::Line:
        if (cur_.destination == Destination::Text) {
            emitUnit(QChar::LineSeparator);
        }
        break;
    case Keyword::Tab:
    case Keyword::Cell:
        tab();
        break;
    case Keyword::AlignLeft:
        para.alignment = Alignment::Left;
        break;
    case Keyword::AlignCenter:
        para.alignment = Alignment::Center;
        break;
    case Keyword::AlignRight:
        para.alignment = Alignment::Right;
        break;
    case Keyword::AlignJustify:
        para.alignment = Alignment::Justify;
        break;
    case Keyword::LeftIndent:
        para.leftIndent = param;
        break;
    case Keyword::RightIndent:
        para.rightIndent = param;
        break;
    case Keyword::FirstIndent:
        para.firstIndent = param;
        break;
    case Keyword::SpaceBefore:
        para.spaceBefore = param;
        break;
    case Keyword::SpaceAfter:
        para.spaceAfter = param;
        break;
    case Keyword::Unicode:
        if (w.hasParam) {
            unicodeChar(w.param);
        }
        break;
    case Keyword::UnicodeSkip:
        cur_.unicodeSkip = std::max(param, 0);
        break;
    case Keyword::Binary:
        skipBinary(w); // binary data outside a picture has nothing to show
        break;
    case Keyword::Special:
        emitUnit(info.character);
        break;
    }
}

} // namespace rtf

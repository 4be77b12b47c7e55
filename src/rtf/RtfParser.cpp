// SPDX-License-Identifier: MIT
#include "rtf/RtfParser.h"

#include "base/HexDigit.h"
#include "rtf/RtfCodePages.h"

#include <algorithm>

namespace rtf {
namespace {

// Real documents nest a few dozen groups at most. Deeper groups are still
// read, but no longer restore the formatting when they close.
constexpr size_t kMaxSavedGroups = 256;
constexpr qsizetype kMaxFontName = 64;
// Parameters are 16 or 32 bits; longer digit strings saturate here.
constexpr long long kParamLimit = 1LL << 30;

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

Parser::Parser(std::string_view input, QTextDocument& document)
    : in_(input), builder_(document, tables_) {}

void Parser::run() {
    while (pos_ < in_.size()) {
        if (skipDepth_ > 0) {
            skipStep();
            continue;
        }
        const char c = in_[pos_++];
        if (c == '\r' || c == '\n') {
            continue; // line ends of the file carry no meaning
        }
        const bool atGroupStart = groupStart_;
        groupStart_ = false;
        switch (c) {
        case '{':
            openGroup();
            break;
        case '}':
            closeGroup();
            break;
        case '\\':
            controlSequence(atGroupStart);
            break;
        default:
            textByte(static_cast<unsigned char>(c));
            break;
        }
    }
    flushLoneSurrogate();
    builder_.finish(lastTextPara_);
}

Parser::Word Parser::readWord() {
    Word w;
    const size_t start = pos_;
    while (pos_ < in_.size() && isLetter(in_[pos_])) {
        ++pos_;
    }
    w.name = in_.substr(start, pos_ - start);
    size_t p = pos_;
    bool negative = false;
    if (p + 1 < in_.size() && in_[p] == '-' && isDigit(in_[p + 1])) {
        negative = true;
        ++p;
    }
    if (p < in_.size() && isDigit(in_[p])) {
        long long value = 0;
        while (p < in_.size() && isDigit(in_[p])) {
            if (value < kParamLimit) {
                value = value * 10 + (in_[p] - '0');
            }
            ++p;
        }
        value = std::min(value, kParamLimit);
        w.hasParam = true;
        w.param = int(negative ? -value : value);
        pos_ = p;
    }
    if (pos_ < in_.size() && in_[pos_] == ' ') {
        ++pos_; // the delimiting space belongs to the word
    }
    return w;
}

void Parser::skipBinary(const Word& w) {
    if (w.hasParam && w.param > 0) {
        pos_ += std::min(size_t(w.param), in_.size() - pos_);
    }
}

// Inside a skipped destination only the group structure and binary data
// matter; escaped braces must not count.
void Parser::skipStep() {
    const char c = in_[pos_++];
    if (c == '{') {
        ++skipDepth_;
    } else if (c == '}') {
        if (--skipDepth_ == 0) {
            closeGroup();
        }
    } else if (c == '\\' && pos_ < in_.size()) {
        if (isLetter(in_[pos_])) {
            const Word w = readWord();
            if (w.name == "bin") {
                skipBinary(w);
            }
        } else {
            ++pos_;
        }
    }
}

void Parser::openGroup() {
    pendingSkip_ = 0;
    groupStart_ = true;
    if (saved_.size() >= kMaxSavedGroups) {
        ++unsavedDepth_;
        return;
    }
    saved_.push_back(cur_);
}

void Parser::closeGroup() {
    pendingSkip_ = 0;
    if (unsavedDepth_ > 0) {
        --unsavedDepth_;
        return;
    }
    if (saved_.empty()) {
        return; // a stray closing brace
    }
    cur_ = saved_.back();
    saved_.pop_back();
}

// True when the character is one of the ANSI stand-ins after a \uN.
bool Parser::consumeSkipped() {
    if (pendingSkip_ > 0) {
        --pendingSkip_;
        return true;
    }
    return false;
}

int Parser::codePageOfFont(int font) const {
    const auto entry = tables_.fonts.constFind(font >= 0 ? font : tables_.defaultFont);
    if (entry != tables_.fonts.cend()) {
        if (isSupportedCodePage(entry->codePage)) {
            return entry->codePage;
        }
        if (const int cp = codePageOfCharset(entry->charset); cp != 0) {
            return cp;
        }
    }
    return documentCodePage_;
}

void Parser::controlSequence(bool atGroupStart) {
    if (pos_ >= in_.size()) {
        return; // a backslash at the very end
    }
    const char c = in_[pos_];
    if (isLetter(c)) {
        controlWord(readWord());
        return;
    }
    ++pos_;
    switch (c) {
    case '\'':
        hexEscape();
        break;
    case '*':
        // An optional destination; none of them holds text to show.
        if (atGroupStart) {
            beginSkip();
        }
        break;
    case '\\':
    case '{':
    case '}':
        textByte(static_cast<unsigned char>(c));
        break;
    case '~':
        special(0x00A0);
        break;
    case '-':
        special(0x00AD);
        break;
    case '_':
        special(0x2011);
        break;
    case '\r':
    case '\n':
        if (!consumeSkipped()) {
            paragraph();
        }
        break;
    default:
        consumeSkipped();
        break;
    }
}

void Parser::hexEscape() {
    int value = -1;
    for (int i = 0; i < 2 && pos_ < in_.size(); ++i) {
        const int digit = hexDigitValue(in_[pos_]);
        if (digit < 0) {
            break;
        }
        value = (value < 0 ? 0 : value * 16) + digit;
        ++pos_;
    }
    if (value >= 0) {
        textByte(static_cast<unsigned char>(value));
    }
}

void Parser::textByte(unsigned char b) {
    if (consumeSkipped()) {
        return;
    }
    switch (cur_.destination) {
    case Destination::ColorTable:
        if (b == ';') {
            tables_.colors.append(colorSet_ ? QColor(red_, green_, blue_) : QColor());
            red_ = green_ = blue_ = 0;
            colorSet_ = false;
        }
        return;
    case Destination::FontTable:
        if (b == ';') {
            if (FontEntry* entry = currentFontEntry()) {
                entry->name = entry->name.trimmed();
                entry->nameDone = true;
            }
            return;
        }
        if (b >= 0x20) {
            emitUnit(codePageTable(codePageOfFont(fontEntry_))[b]);
        }
        return;
    case Destination::Text:
        break;
    }
    if (b == '\t') {
        tab();
    } else if (b >= 0x20) {
        emitUnit(codePageTable(codePageOfFont(cur_.chars.font))[b]);
    }
}

void Parser::special(char16_t u) {
    if (!consumeSkipped()) {
        emitUnit(u);
    }
}

FontEntry* Parser::currentFontEntry() {
    const auto it = tables_.fonts.find(fontEntry_);
    return it == tables_.fonts.end() ? nullptr : &*it;
}

// Pairs \uN surrogates; a half without its partner shows as U+FFFD.
void Parser::emitUnit(char16_t u) {
    if (QChar::isHighSurrogate(u)) {
        flushLoneSurrogate();
        highSurrogate_ = u;
        return;
    }
    if (QChar::isLowSurrogate(u)) {
        if (highSurrogate_ == 0) {
            put(QChar::ReplacementCharacter);
            return;
        }
        put(highSurrogate_);
        highSurrogate_ = 0;
        put(u);
        return;
    }
    flushLoneSurrogate();
    put(u);
}

void Parser::flushLoneSurrogate() {
    if (highSurrogate_ != 0) {
        highSurrogate_ = 0;
        put(QChar::ReplacementCharacter);
    }
}

void Parser::put(QChar c) {
    if (cur_.destination == Destination::FontTable) {
        FontEntry* entry = currentFontEntry();
        // Face names have at most 31 characters; a longer one is damage and
        // would make every run of its font cost its length.
        if (entry && !entry->nameDone && entry->name.size() < kMaxFontName) {
            entry->name.append(c);
        }
    } else if (cur_.destination == Destination::Text && !cur_.chars.hidden) {
        builder_.append(c, cur_.chars);
        lastTextPara_ = cur_.para;
    }
}

void Parser::tab() {
    if (cur_.destination == Destination::Text) {
        emitUnit(u'\t');
    }
}

void Parser::paragraph() {
    if (cur_.destination != Destination::Text) {
        return;
    }
    flushLoneSurrogate();
    builder_.endParagraph(cur_.para, cur_.chars);
    lastTextPara_ = cur_.para;
}

void Parser::unicodeChar(int param) {
    const int value = param < 0 ? param + 65536 : param;
    if (value < 0 || value > 0xFFFF) {
        emitUnit(QChar::ReplacementCharacter);
    } else if (value == '\t') {
        tab();
    } else if (value >= 0x20) {
        emitUnit(char16_t(value));
    }
    pendingSkip_ = cur_.unicodeSkip;
}

} // namespace rtf

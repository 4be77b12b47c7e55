// SPDX-License-Identifier: MIT
#pragma once

#include "rtf/RtfDocumentBuilder.h"
#include "rtf/RtfState.h"

#include <QChar>
#include <cstddef>
#include <string_view>
#include <vector>

class QTextDocument;

namespace rtf {

// One pass over the bytes of an RTF file, filling a document. Every byte is
// looked at a bounded number of times and no recursion is involved, so any
// input, however damaged, ends in time proportional to its length.
class Parser {
public:
    Parser(std::string_view input, QTextDocument& document);
    void run();

private:
    enum class Destination : unsigned char { Text, FontTable, ColorTable };

    struct GroupState {
        CharProps chars;
        ParaProps para;
        Destination destination = Destination::Text;
        int unicodeSkip = 1; // \ucN: stand-in characters after each \uN
    };

    struct Word {
        std::string_view name;
        bool hasParam = false;
        int param = 0;
    };

    Word readWord();
    void skipBinary(const Word& w);
    void skipStep();
    void beginSkip() { skipDepth_ = 1; }
    void openGroup();
    void closeGroup();
    bool consumeSkipped();
    int codePageOfFont(int font) const;
    void controlSequence(bool atGroupStart);
    void controlWord(const Word& w);
    void hexEscape();
    void textByte(unsigned char b);
    void special(char16_t u);
    FontEntry* currentFontEntry();
    void emitUnit(char16_t u);
    void flushLoneSurrogate();
    void put(QChar c);
    void tab();
    void paragraph();
    void unicodeChar(int param);

    std::string_view in_;
    size_t pos_ = 0;
    Tables tables_;
    DocumentBuilder builder_;
    GroupState cur_;
    std::vector<GroupState> saved_;
    size_t unsavedDepth_ = 0; // open groups past the saved-state limit
    size_t skipDepth_ = 0;    // open groups of a skipped destination
    bool groupStart_ = false;
    int pendingSkip_ = 0;
    int documentCodePage_ = 1251;
    int fontEntry_ = -1;
    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;
    bool colorSet_ = false;
    char16_t highSurrogate_ = 0;
    ParaProps lastTextPara_;
};

} // namespace rtf

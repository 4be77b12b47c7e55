// SPDX-License-Identifier: MIT
#pragma once

#include "rtf/RtfState.h"

#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

class QTextDocument;

namespace rtf {

QTextCharFormat toCharFormat(const CharProps& props, const Tables& tables);
QTextBlockFormat toBlockFormat(const ParaProps& props);

// Appends formatted text to a document. Characters of equal formatting are
// gathered into one run. A paragraph end only opens the next block when more
// text follows, so the usual closing \par leaves no empty last line.
//
// The whole read is one edit block: the document then lays out and reports
// its change once at the end instead of after every run, which made a
// paragraph of many runs cost the square of its length.
class DocumentBuilder {
public:
    DocumentBuilder(QTextDocument& document, const Tables& tables);
    ~DocumentBuilder();
    DocumentBuilder(const DocumentBuilder&) = delete;
    DocumentBuilder& operator=(const DocumentBuilder&) = delete;

    void append(QChar c, const CharProps& props);
    // Ends the current paragraph; its format is the one in force at its end.
    void endParagraph(const ParaProps& para, const CharProps& props);
    // Gives a last paragraph that had no paragraph mark its format and ends
    // the edit block.
    void finish(const ParaProps& para);

private:
    void flushRun();
    void openPendingBlock();

    QTextCursor cursor_;
    const Tables& tables_;
    QString run_;
    CharProps runProps_;
    bool blockPending_ = false;
    bool editing_ = true;
    CharProps pendingMarkProps_;
};

} // namespace rtf

// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// The reader of the data sets' help texts (RTF in Windows-1251). It keeps
// paragraphs, line breaks, tabs, bold, italic, underline, strike-through,
// font sizes and faces, colours and paragraph alignment and indents; pictures,
// objects, style sheets and document information are left out.
//
// Any input is accepted: a damaged file shows whatever text could be read, and
// bytes that do not start with "{\rtf" are shown as plain Windows-1251 text.
// Work and memory stay proportional to the input; group nesting is bounded.
namespace rtf {

// Replaces the document's content with the text of the RTF bytes.
void readRtf(const QByteArray& rtf, QTextDocument& document);

// The plain text readRtf would show; paragraphs and line breaks become "\n".
QString toPlainText(const QByteArray& rtf);

} // namespace rtf

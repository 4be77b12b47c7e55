// SPDX-License-Identifier: MIT
#include "rtf/RtfReader.h"

#include "base/Cp1251.h"
#include "rtf/RtfParser.h"

#include <QTextDocument>
#include <string_view>

namespace rtf {
namespace {

// Where the RTF header begins after leading blank lines, or -1.
qsizetype rtfStart(const QByteArray& bytes) {
    qsizetype i = 0;
    while (i < bytes.size() &&
           (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n')) {
        ++i;
    }
    return bytes.sliced(i).startsWith("{\\rtf") ? i : -1;
}

// Other files are shown as text; control characters other than tabs and
// line ends would only show as boxes.
QString plainText(const QByteArray& bytes) {
    QString text = cp1251::decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.removeIf([](QChar c) { return c.unicode() < 0x20 && c != u'\n' && c != u'\t'; });
    return text;
}

} // namespace

void readRtf(const QByteArray& rtf, QTextDocument& document) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    if (const qsizetype start = rtfStart(rtf); start >= 0) {
        const std::string_view bytes(rtf.constData(), size_t(rtf.size()));
        Parser(bytes.substr(size_t(start)), document).run();
    } else {
        document.setPlainText(plainText(rtf));
    }
    document.setUndoRedoEnabled(undo);
}

QString toPlainText(const QByteArray& rtf) {
    QTextDocument document;
    readRtf(rtf, document);
    return document.toPlainText();
}

} // namespace rtf

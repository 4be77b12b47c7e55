// SPDX-License-Identifier: MIT
// The help-text reader over any bytes, into a document as the window shows it.
#include "FuzzSupport.h"
#include "rtf/RtfReader.h"

#include <QTextDocument>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::ensureGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    QTextDocument document;
    rtf::readRtf(bytes, document);
    // Every character shown comes from at least one byte of the file.
    fuzz::check(document.characterCount() <= bytes.size() + 1, "more text than bytes read");
    // Reading again replaces the content rather than adding to it.
    const QString first = document.toPlainText();
    rtf::readRtf(bytes, document);
    fuzz::check(document.toPlainText() == first, "a second read gives another text");
    return 0;
}

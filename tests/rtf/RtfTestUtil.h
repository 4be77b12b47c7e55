// SPDX-License-Identifier: MIT
#pragma once

#include "rtf/RtfReader.h"

#include <QByteArray>
#include <QFont>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <memory>

namespace rtftest {

inline std::unique_ptr<QTextDocument> read(const QByteArray& rtf) {
    auto document = std::make_unique<QTextDocument>();
    rtf::readRtf(rtf, *document);
    return document;
}

// The format of the character at a document position.
inline QTextCharFormat formatAt(const QTextDocument& document, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

// The format of the first character of the first occurrence of the text.
inline QTextCharFormat formatOf(const QTextDocument& document, const QString& text) {
    const int at = document.toPlainText().indexOf(text);
    EXPECT_GE(at, 0) << text.toStdString();
    return formatAt(document, at < 0 ? 0 : at);
}

inline bool isBold(const QTextCharFormat& f) {
    return f.fontWeight() == QFont::Bold;
}

} // namespace rtftest

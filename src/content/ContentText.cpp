// SPDX-License-Identifier: MIT
#include "content/ContentText.h"

#include "base/Cp1251.h"

#include <QStringDecoder>

namespace content {

QString decodeText(QByteArrayView bytes) {
    while (!bytes.isEmpty() && bytes.back() == '\0') {
        bytes.chop(1);
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes = bytes.sliced(3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        text = cp1251::decode(std::string_view(bytes.data(), size_t(bytes.size())));
    }
    return text.trimmed();
}

namespace {

void addAttribute(QHash<QString, QString>& attributes, QByteArrayView line) {
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0) {
        return;
    }
    const QString name = QString::fromUtf8(line.first(colon)).trimmed();
    if (!name.isEmpty() && !attributes.contains(name)) {
        attributes.insert(name, decodeText(line.sliced(colon + 1)));
    }
}

} // namespace

QHash<QString, QString> readAttributes(QByteArrayView bytes, bool mainSectionOnly) {
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0) {
        bytes = bytes.first(nul);
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes = bytes.sliced(3); // a byte-order mark is no part of the first name
    }
    QHash<QString, QString> attributes;
    QByteArray logical; // the line being read with its continuations
    qsizetype at = 0;
    while (at < bytes.size()) {
        qsizetype end = at;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') {
            ++end;
        }
        const QByteArrayView line = bytes.sliced(at, end - at);
        at = end;
        if (at < bytes.size() && bytes[at] == '\r') {
            ++at;
        }
        if (at < bytes.size() && bytes[at] == '\n') {
            ++at;
        }
        if (line.startsWith(' ')) {
            logical.append(line.sliced(1));
            continue;
        }
        addAttribute(attributes, logical);
        logical.clear();
        if (line.trimmed().isEmpty()) {
            if (mainSectionOnly) {
                return attributes;
            }
            continue;
        }
        logical.append(line);
    }
    addAttribute(attributes, logical);
    return attributes;
}

} // namespace content

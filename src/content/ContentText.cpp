// SPDX-License-Identifier: MIT
#include "content/ContentText.h"

#include "base/Cp1251.h"

#include <QList>
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

// One attribute line as the reader joins it: the text of its physical lines,
// continuations without their leading space, and where each piece came from.
struct LogicalLine {
    struct Piece {
        qsizetype inText = 0;
        qsizetype inBytes = 0;
    };
    QByteArray text;
    QList<Piece> pieces;
    qsizetype end = 0; // in the bytes: the end of the last piece, before its line end

    void add(QByteArrayView bytes, qsizetype at, qsizetype length) {
        pieces.append({text.size(), at});
        text.append(bytes.sliced(at, length));
        end = at + length;
    }
    void clear() {
        text.clear();
        pieces.clear();
    }
    // Where the text's byte `offset` lies in the bytes.
    qsizetype inBytes(qsizetype offset) const {
        qsizetype piece = pieces.size() - 1;
        while (piece > 0 && pieces[piece].inText > offset) {
            --piece;
        }
        return pieces[piece].inBytes + offset - pieces[piece].inText;
    }
};

// Feeds each attribute line to `take(line, colon, name)` in order; stops when
// `take` returns false. Lines without a name before a colon are skipped.
template <typename Take>
void walkAttributes(QByteArrayView bytes, bool mainSectionOnly, Take take) {
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0) {
        bytes = bytes.first(nul);
    }
    LogicalLine logical;
    const auto offer = [&] {
        const qsizetype colon = logical.text.indexOf(':');
        if (colon <= 0) {
            return true;
        }
        // QString::fromUtf8 drops a byte order mark that starts the name.
        const QString name = QString::fromUtf8(logical.text.first(colon)).trimmed();
        return name.isEmpty() || take(std::as_const(logical), colon, name);
    };
    qsizetype at = 0;
    while (at < bytes.size()) {
        qsizetype end = at;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') {
            ++end;
        }
        const qsizetype start = at;
        const QByteArrayView line = bytes.sliced(at, end - at);
        at = end;
        if (at < bytes.size() && bytes[at] == '\r') {
            ++at;
        }
        if (at < bytes.size() && bytes[at] == '\n') {
            ++at;
        }
        if (line.startsWith(' ')) {
            logical.add(bytes, start + 1, line.size() - 1);
            continue;
        }
        if (!logical.pieces.isEmpty() && !offer()) {
            return;
        }
        logical.clear();
        if (line.trimmed().isEmpty()) {
            if (mainSectionOnly) {
                return;
            }
            continue;
        }
        logical.add(bytes, start, line.size());
    }
    if (!logical.pieces.isEmpty()) {
        offer();
    }
}

} // namespace

QHash<QString, QString> readAttributes(QByteArrayView bytes, bool mainSectionOnly) {
    QHash<QString, QString> attributes;
    walkAttributes(bytes, mainSectionOnly,
                   [&](const LogicalLine& line, qsizetype colon, const QString& name) {
                       if (!attributes.contains(name)) {
                           attributes.insert(name, decodeText(line.text.sliced(colon + 1)));
                       }
                       return true;
                   });
    return attributes;
}

std::optional<AttributeValue> findAttribute(QByteArrayView bytes, const QString& name) {
    std::optional<AttributeValue> found;
    walkAttributes(bytes, false,
                   [&](const LogicalLine& line, qsizetype colon, const QString& lineName) {
                       if (lineName != name) {
                           return true;
                       }
                       found = AttributeValue{line.inBytes(colon) + 1, line.end};
                       return false;
                   });
    return found;
}

} // namespace content

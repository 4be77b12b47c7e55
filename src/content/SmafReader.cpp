// SPDX-License-Identifier: MIT
#include "content/ContentText.h"
#include "content/MelodyReaders.h"

#include <QCoreApplication>

namespace content {

namespace {

// The value of a two-letter tag in a contents-information chunk's options,
// "ST:title,AN:artist,": a backslash keeps the character after it.
QByteArray optionValue(QByteArrayView options, QByteArrayView tag) {
    qsizetype at = 0;
    while (options.size() - at >= 3) {
        const bool wanted = options.sliced(at, 2) == tag && options[at + 2] == ':';
        at += 2;
        QByteArray value;
        if (at < options.size() && options[at] == ':') {
            ++at;
        }
        while (at < options.size() && options[at] != ',') {
            if (options[at] == '\\' && at + 1 < options.size()) {
                ++at;
            }
            if (wanted) {
                value.append(options[at]);
            }
            ++at;
        }
        ++at; // the comma
        if (wanted) {
            return value;
        }
    }
    return {};
}

// The check value closing a SMAF file: CRC-16 (polynomial 0x1021, from all
// ones, complemented) of every byte before it.
quint16 checkValue(QByteArrayView bytes) {
    quint16 crc = 0xFFFF;
    for (const char c : bytes) {
        crc ^= quint16(quint8(c) << 8);
        for (int bit = 0; bit < 8; ++bit) {
            crc = quint16(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
        }
    }
    return quint16(~crc);
}

// A player refuses a file whose check value disagrees with its bytes: such a
// file is not whole.
bool checkValueHolds(QByteArrayView smaf, ContentInfo& info) {
    if (smaf.size() < 10) {
        return true; // too short to hold one; the chunks' own checks name it
    }
    const quint16 stored = bigEndian16(smaf, smaf.size() - 2);
    const quint16 computed = checkValue(smaf.first(smaf.size() - 2));
    if (stored == computed) {
        return true;
    }
    info.problems << QCoreApplication::translate(
                         "Report", "the SMAF check value is 0x%1, its bytes give 0x%2")
                         .arg(stored, 4, 16, QLatin1Char('0'))
                         .arg(computed, 4, 16, QLatin1Char('0'));
    return false;
}

} // namespace

void readSmaf(QByteArrayView bytes, ContentInfo& info) {
    info.kind = Kind::Smaf;
    const qint64 declared = qint64(bigEndian32(bytes, 4)) + 8;
    if (declared > bytes.size()) {
        info.problems << QCoreApplication::translate(
                             "Report", "cut short: the SMAF data says %1 bytes, %2 are present")
                             .arg(declared)
                             .arg(bytes.size());
    } else if (checkValueHolds(bytes.first(declared), info)) {
        info.extent = declared;
    }
    // The contents-information chunk comes first: class, type, code type,
    // copy status and count, then the options.
    const QByteArrayView smaf = bytes.first(std::min<qint64>(declared, bytes.size()));
    if (smaf.size() < 16 || smaf.sliced(8, 4) != "CNTI") {
        return;
    }
    const qsizetype length = std::min<qint64>(bigEndian32(smaf, 12), smaf.size() - 16);
    if (length <= 5) {
        return;
    }
    const QByteArray title = optionValue(smaf.sliced(16 + 5, length - 5), "ST");
    if (quint8(smaf[16 + 2]) == 0x01) { // Latin-1
        info.title = QString::fromLatin1(title).trimmed();
    } else {
        info.title = decodeText(title);
    }
}

} // namespace content

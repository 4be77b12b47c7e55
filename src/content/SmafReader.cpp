// SPDX-License-Identifier: MIT
#include "base/Report.h"
#include "content/ContentText.h"
#include "content/MelodyReaders.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <algorithm>
#include <optional>

namespace content {

namespace {

// A contents-information chunk's code type, as the decoder knows it. Texts in
// a double-byte code type may hold a trail byte that looks like a comma or a
// backslash; wide ones are read in units of their width.
struct CodeType {
    quint8 code;
    const char* decoder;
    int width = 1;           // bytes of a unit: UCS-2 2, UCS-4 4
    bool doubleByte = false; // a lead byte of 0x81 and above takes the byte after it
};

constexpr CodeType kCodeTypes[] = {
    {0x00, "Shift_JIS", 1, true},
    {0x01, "ISO-8859-1"},
    {0x02, "EUC-KR", 1, true},
    {0x03, "HZ-GB-2312"},
    {0x04, "Big5", 1, true},
    {0x05, "KOI8-R"},
    {0x06, "TCVN-5773"},
    {0x20, "UTF-16BE", 2},
    {0x21, "UTF-32BE", 4},
    {0x22, "UTF-7"},
    {0x23, "UTF-8"},
    {0x24, "UTF-16BE", 2},
    {0x25, "UTF-32BE", 4},
};

const CodeType* codeTypeOf(quint8 code) {
    for (const CodeType& type : kCodeTypes) {
        if (type.code == code) {
            return &type;
        }
    }
    return nullptr;
}

// The bytes of the character at `at`, within the bytes.
QByteArrayView characterAt(QByteArrayView bytes, qsizetype at, const CodeType& type) {
    qsizetype width = type.width;
    if (width == 1 && type.doubleByte) {
        const quint8 lead = quint8(bytes[at]);
        // Shift-JIS keeps 0xA1 to 0xDF for single-byte katakana.
        const bool katakana = type.code == 0x00 && lead >= 0xA1 && lead <= 0xDF;
        // No trail byte is below 0x40, the comma among them: a lone lead ends there.
        const bool trail = at + 1 < bytes.size() && quint8(bytes[at + 1]) >= 0x40;
        width = lead >= 0x81 && !katakana && trail ? 2 : 1;
    }
    return bytes.sliced(at, std::min(width, bytes.size() - at));
}

// Whether the character is the ASCII one: zero bytes, then it.
bool isCharacter(QByteArrayView character, char ascii) {
    if (character.back() != ascii) {
        return false;
    }
    return std::all_of(character.begin(), character.end() - 1, [](char c) { return c == 0; });
}

// The value of a two-letter tag in a contents-information chunk's options,
// "ST:title,AN:artist,": a backslash keeps the character after it.
QByteArray optionValue(QByteArrayView options, QByteArrayView tag, const CodeType& type) {
    qsizetype at = 0;
    while (options.size() - at >= 3) {
        const bool wanted = options.sliced(at, 2) == tag && options[at + 2] == ':';
        at += 2;
        QByteArray value;
        if (at < options.size() && options[at] == ':') {
            ++at;
        }
        while (at < options.size()) {
            QByteArrayView character = characterAt(options, at, type);
            if (isCharacter(character, ',')) {
                at += character.size();
                break;
            }
            if (isCharacter(character, '\\') && at + character.size() < options.size()) {
                at += character.size();
                character = characterAt(options, at, type);
            }
            if (wanted) {
                value.append(character);
            }
            at += character.size();
        }
        if (wanted) {
            return value;
        }
    }
    return {};
}

// The text in the decoder's encoding, or nothing when it is not valid there.
std::optional<QString> strictly(const char* decoderName, QByteArrayView bytes) {
    QStringDecoder decoder(decoderName, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    while (text.endsWith(QChar(0))) {
        text.chop(1);
    }
    return text.trimmed();
}

// A title in its code type. Tools that leave the code type at its default
// (Shift-JIS) often write UTF-8 or code page 1251 there, and bytes that are
// not valid in their code type are read as those too.
QString decodedTitle(const QByteArray& title, quint8 code, QStringList& problems) {
    const CodeType* type = codeTypeOf(code);
    if (!type || !QStringDecoder(type->decoder).isValid()) {
        problems << Report::tr("the SMAF title is in code type 0x%1 (%2), which is not decoded")
                        .arg(code, 2, 16, QLatin1Char('0'))
                        .arg(type ? QLatin1String(type->decoder) : Report::tr("unknown"));
        return {};
    }
    std::optional<QString> text;
    if (code == 0x00) {
        text = strictly("UTF-8", title);
    }
    if (!text) {
        text = strictly(type->decoder, title);
    }
    return text ? *text : decodeText(title);
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
        info.problems << countedText(declared,
                                     QT_TRANSLATE_N_NOOP("Report", "cut short: the SMAF data says "
                                                                   "%n byte, %1 are present"),
                                     QT_TRANSLATE_N_NOOP("Report", "cut short: the SMAF data says "
                                                                   "%n bytes, %1 are present"))
                             .arg(bytes.size());
    } else if (checkValueHolds(bytes.first(declared), info)) {
        info.extent = declared;
    }
    // The contents-information chunk comes first: class, type, code type,
    // copy status and count, then the options.
    const QByteArrayView smaf = bytes.first(std::min<qint64>(declared, bytes.size()));
    if (smaf.size() < 16) {
        // Not even room for one chunk's header: nothing a player could play.
        info.problems << Report::tr("the SMAF file holds nothing but its header");
        return;
    }
    if (smaf.sliced(8, 4) != "CNTI") {
        return;
    }
    const qsizetype length = std::min<qint64>(bigEndian32(smaf, 12), smaf.size() - 16);
    if (length <= 5) {
        return;
    }
    const quint8 codeType = quint8(smaf[16 + 2]);
    const CodeType* type = codeTypeOf(codeType);
    const QByteArray title =
        optionValue(smaf.sliced(16 + 5, length - 5), "ST", type ? *type : kCodeTypes[1]);
    if (!title.isEmpty()) {
        info.title = decodedTitle(title, codeType, info.problems);
    }
}

} // namespace content

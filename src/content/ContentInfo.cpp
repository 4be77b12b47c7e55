// SPDX-License-Identifier: MIT
#include "content/ContentInfo.h"

#include "content/JavaReaders.h"
#include "content/MelodyReaders.h"

#include <QCoreApplication>
#include <QJsonArray>

namespace content {

namespace {

struct KindNames {
    Kind kind;
    const char* name;
    const char* label;
};

constexpr KindNames kKinds[] = {
    {Kind::Midi, "midi", "MIDI"}, {Kind::Smaf, "smaf", "SMAF"}, {Kind::Rmid, "rmid", "RMID"},
    {Kind::Mp3, "mp3", "MP3"},    {Kind::Wav, "wav", "WAV"},    {Kind::Amr, "amr", "AMR"},
    {Kind::Jad, "jad", "JAD"},    {Kind::Jar, "jar", "JAR"},    {Kind::Png, "png", "PNG"},
    {Kind::Jpeg, "jpeg", "JPEG"}, {Kind::Gif, "gif", "GIF"},    {Kind::Bmp, "bmp", "BMP"},
};

const KindNames* namesOf(Kind kind) {
    for (const KindNames& names : kKinds) {
        if (names.kind == kind) {
            return &names;
        }
    }
    return nullptr;
}

quint32 littleEndian32(QByteArrayView bytes, qsizetype at) {
    return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8 |
           quint32(quint8(bytes[at + 2])) << 16 | quint32(quint8(bytes[at + 3])) << 24;
}

// An MPEG audio frame header: the sync bits, then a version, layer, bit rate
// and sample rate that are not the reserved values. Erased flash (all ones)
// is not one.
bool isMpegFrame(QByteArrayView bytes) {
    if (bytes.size() < 4 || quint8(bytes[0]) != 0xFF || (quint8(bytes[1]) & 0xE0) != 0xE0) {
        return false;
    }
    const quint8 b1 = quint8(bytes[1]);
    const quint8 b2 = quint8(bytes[2]);
    return (b1 & 0x18) != 0x08 && (b1 & 0x06) != 0 && (b2 & 0xF0) != 0xF0 && (b2 & 0x0C) != 0x0C;
}

// A Windows bitmap: "BM", then a pixel offset inside the declared size and a
// known header size.
bool isBitmap(QByteArrayView bytes) {
    if (bytes.size() < 26 || !bytes.startsWith("BM")) {
        return false;
    }
    const quint32 size = littleEndian32(bytes, 2);
    const quint32 offset = littleEndian32(bytes, 10);
    const quint32 header = littleEndian32(bytes, 14);
    const bool knownHeader = header == 12 || header == 40 || header == 52 || header == 56 ||
                             header == 64 || header == 108 || header == 124;
    return knownHeader && offset >= 14 + header && (size == 0 || offset <= size);
}

} // namespace

QString kindName(Kind kind) {
    const KindNames* names = namesOf(kind);
    return QLatin1String(names ? names->name : "unknown");
}

QString kindLabel(Kind kind) {
    const KindNames* names = namesOf(kind);
    return names ? QLatin1String(names->label) : QCoreApplication::translate("Report", "unknown");
}

bool isPlayableMelody(Kind kind) {
    return kind == Kind::Midi || kind == Kind::Smaf || kind == Kind::Rmid;
}

bool isPicture(Kind kind) {
    return kind == Kind::Png || kind == Kind::Jpeg || kind == Kind::Gif || kind == Kind::Bmp;
}

QJsonObject toJson(const ContentInfo& info) {
    const auto text = [](const QString& value) {
        return value.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(value);
    };
    return {{QStringLiteral("kind"), kindName(info.kind)},
            {QStringLiteral("title"), text(info.title)},
            {QStringLiteral("duration_ms"),
             info.durationMs < 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(info.durationMs)},
            {QStringLiteral("midlet_name"), text(info.midletName)},
            {QStringLiteral("midlet_vendor"), text(info.midletVendor)},
            {QStringLiteral("midlet_version"), text(info.midletVersion)},
            {QStringLiteral("profile"), text(info.profile)},
            {QStringLiteral("configuration"), text(info.configuration)},
            {QStringLiteral("problems"), QJsonArray::fromStringList(info.problems)}};
}

ContentInfo describe(QByteArrayView bytes) {
    ContentInfo info;
    const auto at = [&](qsizetype offset, QByteArrayView magic) {
        return bytes.size() >= offset + magic.size() && bytes.sliced(offset, magic.size()) == magic;
    };
    if (at(0, "MThd")) {
        readMidi(bytes, info);
    } else if (at(0, "MMMD") && bytes.size() >= 8) {
        readSmaf(bytes, info);
    } else if (at(0, "RIFF") && at(8, "RMID")) {
        readRmid(bytes, info);
    } else if (at(0, "RIFF") && at(8, "WAVE")) {
        info.kind = Kind::Wav;
    } else if (at(0, "#!AMR")) {
        info.kind = Kind::Amr;
    } else if (at(0, "ID3") || isMpegFrame(bytes)) {
        info.kind = Kind::Mp3;
    } else if (at(0, QByteArrayView("\x89PNG\r\n\x1A\n", 8))) {
        info.kind = Kind::Png;
    } else if (at(0, "\xFF\xD8\xFF")) {
        info.kind = Kind::Jpeg;
    } else if (at(0, "GIF87a") || at(0, "GIF89a")) {
        info.kind = Kind::Gif;
    } else if (isBitmap(bytes)) {
        info.kind = Kind::Bmp;
    } else if (at(0, QByteArrayView("PK\x03\x04", 4)) || at(0, QByteArrayView("PK\x05\x06", 4))) {
        // The second is an archive of no entries: still a JAR, named for it.
        readJar(bytes, info);
    } else if (looksLikeJad(bytes)) {
        readJad(bytes, info);
    }
    if (info.kind == Kind::Mp3 || info.kind == Kind::Wav || info.kind == Kind::Amr) {
        info.problems << QCoreApplication::translate("Report", "the handset does not play %1")
                             .arg(kindLabel(info.kind));
    }
    return info;
}

} // namespace content

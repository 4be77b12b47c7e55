// SPDX-License-Identifier: MIT
#include "support/ContentSamples.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <zip.h>

namespace samples {

namespace {

void appendBigEndian(QByteArray& out, quint32 value, int size) {
    for (int i = size - 1; i >= 0; --i) {
        out.append(char(value >> (8 * i) & 0xFF));
    }
}

void appendQuantity(QByteArray& out, quint32 value) {
    QByteArray reversed;
    reversed.append(char(value & 0x7F));
    while (value >>= 7) {
        reversed.append(char(0x80 | (value & 0x7F)));
    }
    std::reverse(reversed.begin(), reversed.end());
    out.append(reversed);
}

QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray out(id, 4);
    appendBigEndian(out, quint32(body.size()), 4);
    return out + body;
}

} // namespace

QByteArray midiTrack(const QByteArray& name, quint32 ticks, quint32 microsPerQuarter) {
    QByteArray events;
    if (!name.isEmpty()) {
        events.append(QByteArray("\x00\xFF\x03", 3));
        appendQuantity(events, quint32(name.size()));
        events.append(name);
    }
    if (microsPerQuarter != 0) {
        events.append(QByteArray("\x00\xFF\x51\x03", 4));
        appendBigEndian(events, microsPerQuarter, 3);
    }
    events.append(QByteArray("\x00\x90\x3C\x40", 4)); // note on
    appendQuantity(events, ticks);
    events.append(QByteArray("\x3C\x00", 2)); // note off by running status
    events.append(QByteArray("\x00\xFF\x2F\x00", 4));
    return chunk("MTrk", events);
}

QByteArray midi(quint16 format, quint16 division, const QList<QByteArray>& tracks,
                int declaredTracks) {
    QByteArray header;
    appendBigEndian(header, format, 2);
    appendBigEndian(header, quint32(declaredTracks < 0 ? tracks.size() : declaredTracks), 2);
    appendBigEndian(header, division, 2);
    QByteArray out = chunk("MThd", header);
    for (const QByteArray& track : tracks) {
        out.append(track);
    }
    return out;
}

QByteArray smaf(const QByteArray& title, int padding, char codeType) {
    const bool wide = codeType == 0x20 || codeType == 0x24; // UCS-2, UTF-16
    const QByteArray contents = QByteArray("\x00\x00", 2) + codeType + QByteArray(2, '\0') +
                                "ST:" + title + (wide ? QByteArray("\0,", 2) : QByteArray(","));
    const QByteArray body = chunk("CNTI", contents) + QByteArray(padding, '\x55');
    return padding < 2 ? chunk("MMMD", body) : withSmafCheckValue(chunk("MMMD", body));
}

QByteArray withSmafCheckValue(QByteArray smaf) {
    quint16 crc = 0xFFFF;
    for (const char c : smaf.first(smaf.size() - 2)) {
        crc ^= quint16(quint8(c) << 8);
        for (int bit = 0; bit < 8; ++bit) {
            crc = quint16(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
        }
    }
    crc = quint16(~crc);
    smaf[smaf.size() - 2] = char(crc >> 8);
    smaf[smaf.size() - 1] = char(crc & 0xFF);
    return smaf;
}

QByteArray jad(const QString& name, const QString& vendor, const QString& version,
               const QString& jarSize) {
    return QStringLiteral("MIDlet-1: %1, /icon.png, Main\r\nMIDlet-Jar-Size: %4\r\n"
                          "MIDlet-Jar-URL: game.jar\r\nMIDlet-Name: %1\r\nMIDlet-Vendor: %2\r\n"
                          "MIDlet-Version: %3\r\nMicroEdition-Profile: MIDP-1.0\r\n")
        .arg(name, vendor, version, jarSize)
        .toUtf8();
}

QByteArray manifest(const QString& name, const QString& vendor, const QString& version) {
    return QStringLiteral("Manifest-Version: 1.0\r\nMIDlet-1: %1, /icon.png, Main\r\n"
                          "MIDlet-Name: %1\r\nMIDlet-Vendor: %2\r\nMIDlet-Version: %3\r\n"
                          "MicroEdition-Configuration: CLDC-1.0\r\n"
                          "MicroEdition-Profile: MIDP-1.0\r\n\r\n")
        .arg(name, vendor, version)
        .toUtf8();
}

QByteArray zip(const QList<ZipEntry>& entries) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("game.jar"));
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const ZipEntry& entry : entries) {
        const zip_int64_t index =
            zip_file_add(archive, entry.name.constData(),
                         zip_source_buffer(archive, entry.bytes.constData(),
                                           zip_uint64_t(entry.bytes.size()), 0),
                         ZIP_FL_OVERWRITE);
        zip_set_file_compression(archive, zip_uint64_t(index), entry.method, 0);
        if (entry.encrypted) {
            zip_file_set_encryption(archive, zip_uint64_t(index), ZIP_EM_AES_256, "secret");
        }
    }
    zip_close(archive);
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QByteArray withZip64End(const QByteArray& archive) {
    const qsizetype end = archive.lastIndexOf(QByteArrayView("PK\x05\x06", 4));
    const auto little = [](quint64 value, int size) {
        QByteArray out;
        for (int i = 0; i < size; ++i) {
            out.append(char(value >> (8 * i) & 0xFF));
        }
        return out;
    };
    const auto field = [&](int at, int size) {
        quint64 value = 0;
        for (int i = size - 1; i >= 0; --i) {
            value = value << 8 | quint8(archive[end + at + i]);
        }
        return value;
    };
    const quint64 entries = field(10, 2);
    const QByteArray record =
        QByteArray("PK\x06\x06", 4) + little(44, 8) + little(45, 2) + little(45, 2) + little(0, 8) +
        little(entries, 8) + little(entries, 8) + little(field(12, 4), 8) + little(field(16, 4), 8);
    const QByteArray locator =
        QByteArray("PK\x06\x07", 4) + little(0, 4) + little(quint64(end), 8) + little(1, 4);
    QByteArray classic = archive.mid(end);
    classic.replace(8, 12, QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 12));
    return archive.first(end) + record + locator + classic;
}

QByteArray jar(const QByteArray& manifest, int classBytes) {
    QByteArray classFile(classBytes, '\0');
    QRandomGenerator random(7);
    for (char& byte : classFile) {
        byte = char(random.generate());
    }
    return zip({{"META-INF/MANIFEST.MF", manifest}, {"Main.class", classFile}});
}

} // namespace samples

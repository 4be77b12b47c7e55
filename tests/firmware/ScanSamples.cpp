// SPDX-License-Identifier: MIT
#include "firmware/ScanSamples.h"

#include "pictures/HandsetPicture.h"
#include "srec/TableEntry.h"
#include "support/ContentSamples.h"

#include <QtEndian>

namespace scansamples {

namespace {

QByteArray be32(std::uint32_t v) {
    QByteArray out(4, '\0');
    qToBigEndian(v, out.data());
    return out;
}
QByteArray le16(std::uint16_t v) {
    QByteArray out(2, '\0');
    qToLittleEndian(v, out.data());
    return out;
}
QByteArray le32(std::uint32_t v) {
    QByteArray out(4, '\0');
    qToLittleEndian(v, out.data());
    return out;
}

std::uint32_t crc32(const QByteArray& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= std::uint8_t(c);
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

QByteArray entry(ManagerKind kind, const tableentry::Fields& fields) {
    const auto bytes = tableentry::encode(managers::of(kind), fields);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), 8);
}

} // namespace

QByteArray midi(const QByteArray& title, int notes) {
    QByteArray track = QByteArray("\x00\xFF\x03", 3) + char(title.size()) + title;
    for (int i = 0; i < notes; ++i) {
        const char note = char(60 + i % 12);
        track += QByteArray("\x00\x90", 2) + note + '\x64' + '\x30' + '\x80' + note + '\x40';
    }
    track += QByteArray("\x00\xFF\x2F\x00", 4);
    return QByteArray("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60", 14) + "MTrk" +
           be32(std::uint32_t(track.size())) + track;
}

QByteArray smaf(const QByteArray& title, int trackBytes) {
    const QByteArray info = QByteArray(5, '\0') + "ST:" + title + ",";
    const QByteArray body = "CNTI" + be32(std::uint32_t(info.size())) + info +
                            QByteArray("MTR\x00", 4) + be32(std::uint32_t(trackBytes)) +
                            filler(trackBytes, 7);
    return samples::withSmafCheckValue("MMMD" + be32(std::uint32_t(body.size() + 2)) + body +
                                       QByteArray(2, '\0'));
}

QByteArray jar(const QByteArray& name, int classBytes) {
    const QList<std::pair<QByteArray, QByteArray>> files{
        {"META-INF/MANIFEST.MF",
         "Manifest-Version: 1.0\r\nMIDlet-Name: " + name +
             "\r\nMIDlet-Vendor: Test\r\nMIDlet-Version: 2.1\r\nMIDlet-1: " + name +
             ", , Main\r\n"},
        {"Main.class", filler(classBytes, 11)}};
    QByteArray local;
    QByteArray directory;
    for (const auto& [file, data] : files) {
        const QByteArray common = le16(10) + le16(0) + le16(0) + le16(0) + le16(0x3C21) +
                                  le32(crc32(data)) + le32(std::uint32_t(data.size())) +
                                  le32(std::uint32_t(data.size())) +
                                  le16(std::uint16_t(file.size())) + le16(0);
        directory += "PK\x01\x02" + le16(20) + common + le16(0) + le16(0) + le16(0) + le32(0) +
                     le32(std::uint32_t(local.size())) + file;
        local += "PK\x03\x04" + common + file + data;
    }
    return local + directory + "PK\x05\x06" + le16(0) + le16(0) + le16(2) + le16(2) +
           le32(std::uint32_t(directory.size())) + le32(std::uint32_t(local.size())) + le16(0);
}

QByteArray jad(const QByteArray& name, std::int64_t jarSize, int order) {
    QList<QByteArray> lines{"MIDlet-Name: " + name, "MIDlet-Vendor: Test", "MIDlet-Version: 2.1",
                            "MIDlet-Jar-URL: " + name + ".jar",
                            "MIDlet-Jar-Size: " + QByteArray::number(jarSize)};
    if (order == 1) {
        std::reverse(lines.begin(), lines.end());
        lines.prepend("MicroEdition-Configuration: CLDC-1.1");
    } else if (order == 2) {
        lines.move(0, 3);
        lines.prepend("Manifest-Version: 1.0");
        lines.last().insert(lines.last().size() - 1, "\r\n "); // the size's last digit continued
    } else if (order == 3) {
        lines.move(2, 0);
        lines.prepend("\xEF\xBB\xBFMicroEdition-Profile: MIDP-2.0");
    }
    return lines.join("\r\n") + "\r\n";
}

QByteArray picture(int width, int height, int seed) {
    PixelImage image;
    image.width = width;
    image.height = height;
    for (int i = 0; i < width * height; ++i) {
        image.colors.push_back(std::uint32_t(((i / 3) * 0x2F1357 + seed * 0x405060) & 0xFFFFFF));
    }
    return encodeHandsetPicture(image);
}

QByteArray filler(int size, std::uint32_t seed) {
    QByteArray out(size, '\0');
    std::uint32_t x = seed * 2654435761u + 1;
    for (char& c : out) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char(x % 255); // never 0xFF: no erased area by chance
    }
    return out;
}

QByteArray melodyEntry(std::uint32_t address, std::uint32_t size) {
    return entry(ManagerKind::Melodies, {address, size, 0, 0});
}
QByteArray javaEntry(std::uint32_t size, std::uint32_t address) {
    return entry(ManagerKind::Java, {address, size, 0, 0});
}
QByteArray pictureEntry(int width, int height, std::uint32_t address) {
    return entry(ManagerKind::Pictures, {address, 0, width, height});
}

} // namespace scansamples

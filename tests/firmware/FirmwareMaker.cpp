// SPDX-License-Identifier: MIT
#include "firmware/FirmwareMaker.h"

#include "dataset/ListFile.h"
#include "pictures/HandsetPicture.h"

#include <QDir>

namespace {

using Kind = FirmwareMaker::Kind;

QString hex(std::uint32_t value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QString entryText(const QByteArray& e) {
    return QString::fromLatin1(e.toHex().toUpper());
}

QByteArray le(std::uint32_t value, int bytes) {
    QByteArray out;
    for (int i = 0; i < bytes; ++i) {
        out.append(char(value >> (8 * i)));
    }
    return out;
}

QByteArray code(int seed, int length) {
    QByteArray out(length, 0);
    std::uint32_t state = 0x9E3779B9u * std::uint32_t(seed + 1);
    for (char& c : out) {
        state = state * 1103515245u + 12345u;
        c = char(state >> 16);
    }
    return out;
}

int length(Kind kind, int index) {
    switch (kind) {
    case Kind::Code:
        return 256 + 16 * (index % 4);
    case Kind::MelodyRegion:
    case Kind::JavaRegion:
    case Kind::PictureRegion:
        return 4096;
    case Kind::MelodyTable:
        return 3 * 8;
    case Kind::Volumes:
        return 3;
    case Kind::JavaTable:
    case Kind::PictureTable:
        return 2 * 8;
    case Kind::Patch64K:
        return 16;
    case Kind::Required:
        return 8;
    default:
        return int(FirmwareMaker::resource(kind, index).size());
    }
}

} // namespace

QByteArray FirmwareMaker::resource(Kind kind, int index) {
    switch (kind) {
    case Kind::Melody: {
        const QByteArray head = index == 0 ? "MThd" : index == 1 ? "MMMD" : "melo";
        return head + code(100 + index, 300 + 37 * index);
    }
    case Kind::Java:
        return (index % 2 ? QByteArray("PK\x03\x04") : QByteArray("MIDlet-Name: X\r\n")) +
               code(200 + index, 500 + 11 * index);
    case Kind::Picture: {
        PixelImage picture;
        picture.width = 4 + 2 * index;
        picture.height = 3;
        for (int i = 0; i < picture.width * picture.height; ++i) {
            picture.colors.push_back(std::uint32_t((i * 0x2F1357 + index * 0x405060) & 0xFFFFFF));
        }
        return encodeHandsetPicture(picture);
    }
    default:
        return {};
    }
}

FirmwareMaker FirmwareMaker::later() const {
    FirmwareMaker m = *this;
    auto before = [&](Kind kind, int index = 0) {
        return m.pieces.begin() + std::ptrdiff_t(m.find(kind, index));
    };
    m.pieces.insert(m.pieces.begin(), {Kind::Code, 50});
    m.pieces.insert(before(Kind::JavaTable), {Kind::Code, 51});
    m.pieces.erase(before(Kind::Melody, 1));
    m.pieces.push_back({Kind::Melody, 1});
    m.pieces.push_back({Kind::Code, 52});
    return m;
}

FirmwareMaker FirmwareMaker::standard() {
    FirmwareMaker m;
    int seed = 0;
    auto add = [&](Kind kind, int index = 0) {
        m.pieces.push_back({Kind::Code, seed++});
        m.pieces.push_back({kind, index});
    };
    add(Kind::Patch64K);
    add(Kind::Required);
    add(Kind::MelodyTable);
    add(Kind::Volumes);
    add(Kind::JavaTable);
    add(Kind::PictureTable);
    for (int i = 0; i < 3; ++i) {
        add(Kind::Melody, i);
    }
    for (int i = 0; i < 2; ++i) {
        add(Kind::Java, i);
        add(Kind::Picture, i);
    }
    add(Kind::JavaRegion);
    add(Kind::PictureRegion);
    add(Kind::MelodyRegion);
    m.pieces.push_back({Kind::Code, seed++});
    return m;
}

std::size_t FirmwareMaker::find(Kind kind, int index) const {
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].kind == kind && pieces[i].index == index) {
            return i;
        }
    }
    return pieces.size();
}

FirmwareMaker::Made FirmwareMaker::make() const {
    Made made;
    std::uint32_t at = base;
    for (const Piece& p : pieces) {
        made.addresses.push_back(at);
        at += std::uint32_t(length(p.kind, p.index));
    }
    // A piece a test left out (a resource missing from a version) has no address.
    auto addressOf = [&](Kind kind, int index = 0) {
        const std::size_t i = find(kind, index);
        return i < made.addresses.size() ? made.addresses[i] : 0u;
    };
    QStringList melTable, melEntries, javaTable, javaEntries, picTable, picEntries;
    for (int i = 0; i < 3; ++i) {
        melTable << hex(addressOf(Kind::MelodyTable) + 8 * i, 8);
        melEntries << entryText(le(addressOf(Kind::Melody, i), 4) +
                                le(std::uint32_t(resource(Kind::Melody, i).size()), 4));
    }
    for (int i = 0; i < 2; ++i) {
        javaTable << hex(addressOf(Kind::JavaTable) + 8 * i, 8);
        javaEntries << entryText(le(std::uint32_t(resource(Kind::Java, i).size()), 4) +
                                 le(addressOf(Kind::Java, i), 4));
        picTable << hex(addressOf(Kind::PictureTable) + 8 * i, 8);
        picEntries << entryText(le(std::uint32_t(4 + 2 * i), 2) + le(3, 2) +
                                le(addressOf(Kind::Picture, i), 4));
    }
    QStringList volumeOffsets;
    for (int i = 0; i < 3; ++i) {
        volumeOffsets << hex(addressOf(Kind::Volumes) + std::uint32_t(i), 8);
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const Piece& p = pieces[i];
        QByteArray bytes;
        switch (p.kind) {
        case Kind::Code:
        case Kind::Patch64K:
        case Kind::Required:
            bytes =
                code(p.kind == Kind::Code ? p.index : 1000 + int(p.kind), length(p.kind, p.index));
            break;
        case Kind::MelodyRegion:
        case Kind::JavaRegion:
        case Kind::PictureRegion:
            bytes = QByteArray(length(p.kind, 0), char(0xFF));
            break;
        case Kind::MelodyTable:
            bytes = QByteArray::fromHex(melEntries.join(QString()).toLatin1());
            break;
        case Kind::JavaTable:
            bytes = QByteArray::fromHex(javaEntries.join(QString()).toLatin1());
            break;
        case Kind::PictureTable:
            bytes = QByteArray::fromHex(picEntries.join(QString()).toLatin1());
            break;
        case Kind::Volumes:
            bytes = QByteArray::fromHex("405060");
            break;
        default:
            bytes = resource(p.kind, p.index);
        }
        made.image += bytes;
    }
    auto region = [&](const char* section, Kind kind) {
        const std::uint32_t start = addressOf(kind);
        return QStringLiteral("[%1]\r\nStartOffset=0x%2\r\nEndOffset=0x%3\r\n")
            .arg(QLatin1String(section), hex(start, 8),
                 hex(start + std::uint32_t(length(kind, 0)) - 1, 8));
    };
    made.set.melodies = 3;
    made.set.java = 2;
    made.set.pictures = 2;
    made.set.overrides = {{"MelodiesTable.lst", melTable},
                          {"StdMelodiesOffsets.lst", melEntries},
                          {"JavaTable.lst", javaTable},
                          {"JavaStdOffsets.lst", javaEntries},
                          {"PicTable.lst", picTable},
                          {"PicOffsets.lst", picEntries},
                          {"VolumesOffsets.lst", volumeOffsets},
                          {"StdVolumes.lst", {"40", "50", "60"}},
                          {"Volumes.lst", {"40", "50", "60"}}};
    // The Patch64K line changes its bytes; the required patch is applied already.
    const std::uint32_t patchAt = addressOf(Kind::Patch64K);
    made.set.memoryIni =
        region("Melodies", Kind::MelodyRegion) + region("JavaGames", Kind::JavaRegion) +
        region("Pictures", Kind::PictureRegion) +
        QStringLiteral("[StringTable]\r\nSize=16\r\n[Patches]\r\nPatch64K=%1\r\n"
                       "VolumePatchAvailable=1\r\n")
            .arg(QString::fromLatin1(firmwaremaker::record(3, patchAt, code(77, 16))));
    const std::uint32_t requiredAt = addressOf(Kind::Required);
    made.requiredPatch =
        firmwaremaker::record(3, requiredAt, made.image.mid(qsizetype(requiredAt - base), 8)) +
        "\r\n";
    return made;
}

namespace firmwaremaker {

QByteArray record(int type, std::uint32_t address, const QByteArray& data) {
    const int width = type >= 1 && type <= 3 ? type + 1 : 2;
    QByteArray body;
    body.append(char(width + data.size() + 1));
    for (int k = width - 1; k >= 0; --k) {
        body.append(char(address >> (8 * k)));
    }
    body += data;
    unsigned sum = 0;
    for (const char c : body) {
        sum += static_cast<unsigned char>(c);
    }
    body.append(char(~sum & 0xFF));
    return "S" + QByteArray::number(type) + body.toHex().toUpper();
}

QByteArray sRecords(const QByteArray& image, std::uint32_t base, std::uint32_t skipFrom,
                    std::uint32_t skipTo) {
    QByteArray out = "S00600004844521B\r\n";
    int n = 0;
    for (qsizetype offset = 0; offset < image.size();) {
        const std::uint32_t address = base + std::uint32_t(offset);
        qsizetype size = std::min<qsizetype>(n % 2 ? 32 : 16, image.size() - offset);
        if (address < skipTo && address + size > skipFrom) {
            if (address >= skipFrom) {
                offset = qsizetype(skipTo - base);
                continue;
            }
            size = qsizetype(skipFrom - address);
        }
        const int type = address + size <= 0x10000     ? 1 + n % 3
                         : address + size <= 0x1000000 ? 2 + n % 2
                                                       : 3;
        out += record(type, address, image.mid(offset, size)) + "\r\n";
        offset += size;
        ++n;
    }
    out += record(5, std::uint32_t(n), {}) + "\r\nS9030000FC\r\n";
    return out;
}

QString writeDataSet(const FirmwareMaker::Made& made, const QString& userFolder,
                     const QString& id) {
    const QString firmware = made.set.writeTo(userFolder, id);
    QDir().mkpath(firmware + "/Data/ReqPatches");
    listfile::writeWhole(firmware + "/Data/ReqPatches/Fix.s3", made.requiredPatch);
    return firmware;
}

} // namespace firmwaremaker

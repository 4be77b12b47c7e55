// SPDX-License-Identifier: MIT
#include "srec/S3Records.h"

#include "base/Cp1251.h"
#include "base/HexDigit.h"
#include "base/TarvexError.h"
#include "dataset/NumericText.h"
#include "platform/FileOps.h"
#include "srec/TableEntry.h"

#include <QFile>
#include <algorithm>
#include <memory>
#include <vector>

namespace srec {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Both digits of every byte value, so the writer's inner loop is one copy a byte.
struct HexPairs {
    char text[256][2];
    constexpr HexPairs() : text() {
        for (int v = 0; v < 256; ++v) {
            text[v][0] = kHexDigits[v >> 4];
            text[v][1] = kHexDigits[v & 0xF];
        }
    }
};
constexpr HexPairs kHexPairs;

void putHexByte(char*& out, unsigned value) {
    const char* pair = kHexPairs.text[value & 0xFF];
    out[0] = pair[0];
    out[1] = pair[1];
    out += 2;
}

} // namespace

std::uint8_t checksum(const std::uint8_t* bytes, std::size_t count) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        sum += bytes[i];
    }
    return std::uint8_t(~sum & 0xFF);
}

std::string endRecord(std::uint32_t startAddress) {
    const std::uint8_t bytes[] = {5, std::uint8_t(startAddress >> 24),
                                  std::uint8_t(startAddress >> 16), std::uint8_t(startAddress >> 8),
                                  std::uint8_t(startAddress)};
    std::string line = "S7";
    line.resize(2 + 2 * std::size(bytes) + 2);
    char* out = line.data() + 2;
    for (const std::uint8_t b : bytes) {
        putHexByte(out, b);
    }
    putHexByte(out, checksum(bytes, std::size(bytes)));
    return line;
}

void appendDataRecords(const unsigned char* bytes, std::int64_t count, std::int32_t baseAddress,
                       S3LineList& target) {
    if (count <= 0) {
        return;
    }
    const std::int64_t records = (count + kBytesPerRecord - 1) / kBytesPerRecord;
    // The last address must fit before anything is written.
    numeric::add(baseAddress, numeric::fromSize((records - 1) * kBytesPerRecord));
    // "S3" + count + address + data + checksum + CR LF.
    const auto lineBytes = [](std::int64_t n) { return std::size_t(2 + 2 + 8 + 2 * n + 2 + 2); };
    const std::int64_t last = count - (records - 1) * kBytesPerRecord;
    const std::size_t total =
        std::size_t(records - 1) * lineBytes(kBytesPerRecord) + lineBytes(last);
    target.appendInPlace(std::size_t(records), total, [&](char* out, auto lineDone) {
        for (std::int64_t k = 0; k < records; ++k) {
            const std::int64_t offset = k * kBytesPerRecord;
            const int n = int(k + 1 < records ? kBytesPerRecord : last);
            const auto address = std::uint32_t(baseAddress) + std::uint32_t(offset);
            // Count, address and data, as the checksum covers them.
            std::uint8_t record[5 + kBytesPerRecord];
            record[0] = std::uint8_t(n + 5);
            for (int k = 0; k < 4; ++k) {
                record[1 + k] = std::uint8_t(address >> (24 - 8 * k));
            }
            std::copy_n(bytes + offset, n, record + 5);
            char* const begin = out;
            *out++ = 'S';
            *out++ = '3';
            for (int j = 0; j < n + 5; ++j) {
                putHexByte(out, record[j]);
            }
            putHexByte(out, checksum(record, std::size_t(n + 5)));
            *out++ = '\r';
            *out++ = '\n';
            lineDone(std::size_t(out - begin));
        }
    });
}

void fileToS3Lines(const QString& fileName, std::int32_t byteCount, std::int32_t baseAddress,
                   S3LineList& target) {
    target.clear();
    appendFileRecords(fileName, byteCount, baseAddress, target);
}

void appendFileRecords(const QString& fileName, std::int32_t byteCount, std::int32_t baseAddress,
                       S3LineList& target) {
    QFile file;
    QString reason;
    if (!fileops::openRegular(file, fileName, &reason)) {
        throw errors::cannotOpenFile(fileName, reason);
    }
    if (byteCount < 0) {
        throw errors::streamRead();
    }
    const auto buffer = std::make_unique_for_overwrite<unsigned char[]>(std::size_t(byteCount));
    if (byteCount > 0 &&
        file.read(reinterpret_cast<char*>(buffer.get()), byteCount) != qint64(byteCount)) {
        throw errors::streamRead();
    }
    appendDataRecords(buffer.get(), byteCount, baseAddress, target);
}

std::string withS3Checksum(std::string_view line) {
    if (line.size() <= 3 || line[0] != 'S' || line[1] != '3') {
        return std::string(line);
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(line.size() / 2);
    for (std::size_t i = 2; i < line.size(); i += 2) {
        const int high = hexDigitValue(line[i]);
        const int low = i + 1 < line.size() ? hexDigitValue(line[i + 1]) : -1;
        if (high < 0 || low < 0) {
            throw errors::invalidInteger(cp1251::decode(line.substr(i, 2)));
        }
        bytes.push_back(std::uint8_t(high * 16 + low));
    }
    const std::uint8_t sum = checksum(bytes.data(), bytes.size());
    std::string out(line);
    out.push_back(kHexDigits[sum >> 4]);
    out.push_back(kHexDigits[sum & 0xF]);
    return out;
}

QString withS3Checksum(const QString& line) {
    if (line.size() <= 3 || !line.startsWith(QLatin1String("S3"))) {
        return line;
    }
    const QByteArray bytes = cp1251::encodeOrThrow(line);
    return cp1251::decode(withS3Checksum(std::string_view(bytes.constData(), bytes.size())));
}

void appendS3Checksums(S3LineList& lines) {
    S3LineList result;
    result.reserve(lines.count(), qsizetype(lines.text().size()) + 2 * lines.count());
    for (qsizetype i = 0; i < lines.count(); ++i) {
        result.append(std::string_view(withS3Checksum(lines.line(i))));
    }
    lines = std::move(result);
}

void appendS3Checksums(QStringList& lines) {
    for (QString& line : lines) {
        line = withS3Checksum(line);
    }
}

std::int64_t fileSizeOfName(const QString& fileName) {
    QFile file;
    if (!fileops::openRegular(file, fileName)) {
        return 0; // also a FIFO or device: never waited on
    }
    return file.size();
}

QString tableRecord(const QString& tableAddress, const QString& entryData) {
    return withS3Checksum(QStringLiteral("S30D") + tableAddress + entryData);
}

QString volumeRecord(const QString& address, const QString& value) {
    return withS3Checksum(QStringLiteral("S306") + address + value);
}

QString melodyEntry(std::int32_t address, std::int32_t size) {
    return tableentry::text(tableentry::encode(
        managers::melodies(), {.address = std::uint32_t(address), .size = std::uint32_t(size)}));
}

QString javaEntry(std::int32_t address, std::int32_t size) {
    return tableentry::text(tableentry::encode(
        managers::java(), {.address = std::uint32_t(address), .size = std::uint32_t(size)}));
}

QString pictureEntry(std::int32_t address, int width, int height) {
    return tableentry::text(
        tableentry::encode(managers::pictures(),
                           {.address = std::uint32_t(address), .width = width, .height = height}));
}

} // namespace srec

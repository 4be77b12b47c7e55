#include "srec/S3Records.h"

#include "dataset/Cp1251.h"
#include "dataset/NumericText.h"
#include "dataset/TarvexError.h"

#include <QFile>
#include <vector>

namespace srec {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void putHexByte(char*& out, unsigned value) {
    *out++ = kHexDigits[(value >> 4) & 0xF];
    *out++ = kHexDigits[value & 0xF];
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

} // namespace

void appendDataRecords(const unsigned char* bytes, std::int64_t count, std::int32_t baseAddress,
                       S3LineList& target) {
    const std::int64_t records = (count + kBytesPerRecord - 1) / kBytesPerRecord;
    target.reserve(target.count() + records, qsizetype(records) * 48);
    char line[2 + 2 + 8 + 2 * kBytesPerRecord + 2];
    for (std::int64_t k = 0; k < records; ++k) {
        const std::int64_t offset = k * kBytesPerRecord;
        const int n = int(std::min<std::int64_t>(kBytesPerRecord, count - offset));
        const auto address = std::uint32_t(numeric::add(baseAddress, numeric::fromSize(offset)));
        const unsigned recordCount = unsigned(n) + 5;
        unsigned sum = recordCount + (address >> 24) + ((address >> 16) & 0xFF) +
                       ((address >> 8) & 0xFF) + (address & 0xFF);
        char* out = line;
        *out++ = 'S';
        *out++ = '3';
        putHexByte(out, recordCount);
        for (int shift = 24; shift >= 0; shift -= 8) {
            putHexByte(out, (address >> shift) & 0xFF);
        }
        for (int j = 0; j < n; ++j) {
            const unsigned char b = bytes[offset + j];
            sum += b;
            putHexByte(out, b);
        }
        putHexByte(out, ~sum & 0xFF);
        target.append(std::string_view(line, std::size_t(out - line)));
    }
}

void FileToS3Lines(const QString& fileName, std::int32_t byteCount, std::int32_t baseAddress,
                   S3LineList& target) {
    target.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw errors::cannotOpenFile(fileName);
    }
    if (byteCount < 0) {
        throw errors::streamRead();
    }
    std::vector<unsigned char> buffer(static_cast<std::size_t>(byteCount));
    if (byteCount > 0 &&
        file.read(reinterpret_cast<char*>(buffer.data()), byteCount) != qint64(byteCount)) {
        throw errors::streamRead();
    }
    appendDataRecords(buffer.data(), byteCount, baseAddress, target);
}

std::string withS3Checksum(std::string_view line) {
    if (line.size() <= 3 || line[0] != 'S' || line[1] != '3') {
        return std::string(line);
    }
    unsigned sum = 0;
    for (std::size_t i = 2; i < line.size(); i += 2) {
        const int high = hexValue(line[i]);
        const int low = i + 1 < line.size() ? hexValue(line[i + 1]) : -1;
        if (high < 0 || low < 0) {
            throw errors::invalidInteger(cp1251::decode(line.substr(i, 2)));
        }
        sum += unsigned(high * 16 + low);
    }
    std::string out(line);
    out.push_back(kHexDigits[(~sum >> 4) & 0xF]);
    out.push_back(kHexDigits[~sum & 0xF]);
    return out;
}

QString withS3Checksum(const QString& line) {
    if (line.size() <= 3 || !line.startsWith(QLatin1String("S3"))) {
        return line;
    }
    const QByteArray bytes = cp1251::encodeOrThrow(line);
    return cp1251::decode(withS3Checksum(std::string_view(bytes.constData(), bytes.size())));
}

void AppendS3Checksums(S3LineList& lines) {
    S3LineList result;
    result.reserve(lines.count(), qsizetype(lines.text().size()) + 2 * lines.count());
    for (qsizetype i = 0; i < lines.count(); ++i) {
        result.append(std::string_view(withS3Checksum(lines.line(i))));
    }
    lines = std::move(result);
}

void AppendS3Checksums(QStringList& lines) {
    for (QString& line : lines) {
        line = withS3Checksum(line);
    }
}

QString SwapHexBytes(const QString& text) {
    if (text.size() > 4) {
        return text.mid(6, 2) + text.mid(4, 2) + text.mid(2, 2) + text.mid(0, 2);
    }
    return text.mid(2, 2) + text.mid(0, 2);
}

std::int64_t FileSizeOfName(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
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
    return SwapHexBytes(numeric::hex(std::uint32_t(address), 8)) +
           SwapHexBytes(numeric::hex(std::uint32_t(size), 8));
}

QString javaEntry(std::int32_t size, std::int32_t address) {
    return SwapHexBytes(numeric::hex(std::uint32_t(size), 8)) +
           SwapHexBytes(numeric::hex(std::uint32_t(address), 8));
}

QString pictureEntry(int width, int height, std::int32_t address) {
    return SwapHexBytes(numeric::hex(std::uint32_t(width), 4)) +
           SwapHexBytes(numeric::hex(std::uint32_t(height), 4)) +
           SwapHexBytes(numeric::hex(std::uint32_t(address), 8));
}

} // namespace srec

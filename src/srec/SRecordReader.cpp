#include "srec/SRecordReader.h"

#include "srec/S3Records.h"

#include <QCoreApplication>
#include <QIODevice>

namespace srec {

namespace {

constexpr qsizetype kChunk = 64 * 1024;

int addressBytes(int type) {
    switch (type) {
    case 2:
    case 6:
    case 8:
        return 3;
    case 3:
    case 7:
        return 4;
    default:
        return 2;
    }
}

QString hexByte(unsigned value) {
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString parseRecord(std::string_view line, SRecord& record) {
    if (line.size() < 2 || line[0] != 'S' || line[1] < '0' || line[1] > '9') {
        return QCoreApplication::translate(
            "Report", "not an S-record: a record starts with \"S\" and its type digit");
    }
    record.type = line[1] - '0';
    if (record.type == 4) {
        return QCoreApplication::translate("Report", "record type S4 does not exist");
    }
    if (qsizetype(line.size()) > kMaxRecordChars) {
        return QCoreApplication::translate("Report", "longer than any S-record (%1 characters)")
            .arg(line.size());
    }
    for (std::size_t i = 2; i < line.size(); ++i) {
        if (hexValue(line[i]) < 0) {
            return QCoreApplication::translate("Report", "character %1 is not a hexadecimal digit")
                .arg(i + 1);
        }
    }
    if (line.size() % 2 != 0) {
        return QCoreApplication::translate("Report", "odd number of hexadecimal digits");
    }
    const std::size_t bytes = (line.size() - 2) / 2;
    if (bytes == 0) {
        return QCoreApplication::translate("Report", "no count byte");
    }
    auto byteAt = [&](std::size_t k) {
        return unsigned(hexValue(line[2 + 2 * k]) * 16 + hexValue(line[3 + 2 * k]));
    };
    const unsigned count = byteAt(0);
    if (count != bytes - 1) {
        return QCoreApplication::translate("Report",
                                           "count %1 does not match the %2 bytes after it")
            .arg(hexByte(count))
            .arg(bytes - 1);
    }
    const int width = addressBytes(record.type);
    if (int(count) < width + 1) {
        return QCoreApplication::translate("Report",
                                           "too short for its %1-byte address and checksum")
            .arg(width);
    }
    unsigned sum = 0;
    for (std::size_t k = 0; k + 1 < bytes; ++k) {
        sum += byteAt(k);
    }
    const unsigned expected = ~sum & 0xFF;
    if (byteAt(bytes - 1) != expected) {
        return QCoreApplication::translate("Report", "checksum %1, expected %2")
            .arg(hexByte(byteAt(bytes - 1)), hexByte(expected));
    }
    record.address = 0;
    for (int k = 1; k <= width; ++k) {
        record.address = (record.address << 8) | byteAt(std::size_t(k));
    }
    record.data.clear();
    for (std::size_t k = std::size_t(width) + 1; k + 1 < bytes; ++k) {
        record.data.push_back(std::uint8_t(byteAt(k)));
    }
    return {};
}

SRecordReader::SRecordReader(QIODevice& device) : device_(device), buffer_(kChunk) {}

bool SRecordReader::fill() {
    length_ = device_.read(buffer_.data(), kChunk);
    pos_ = 0;
    return length_ > 0;
}

bool SRecordReader::next(Line& line) {
    text_.clear();
    qsizetype chars = 0; // also those not kept
    bool ended = false;
    bool any = false;
    while (!ended) {
        if (pos_ == length_ && !fill()) {
            break;
        }
        if (skipLf_) {
            skipLf_ = false;
            if (buffer_[std::size_t(pos_)] == '\n') {
                ++pos_;
                continue;
            }
        }
        any = true;
        while (pos_ < length_) {
            const char c = buffer_[std::size_t(pos_++)];
            if (c == '\r' || c == '\n') {
                skipLf_ = c == '\r';
                ended = true;
                break;
            }
            if (chars++ <= kMaxRecordChars) {
                text_.push_back(c);
            }
        }
    }
    if (!any && !ended) {
        return false;
    }
    line.number = ++number_;
    line.empty = chars == 0;
    line.error.clear();
    if (chars > kMaxRecordChars) {
        line.error =
            QCoreApplication::translate("Report", "longer than any S-record (%1 characters)")
                .arg(chars);
    } else if (!line.empty) {
        line.error = parseRecord(text_, line.record);
    }
    return true;
}

} // namespace srec

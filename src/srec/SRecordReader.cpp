#include "srec/SRecordReader.h"

#include "srec/S3Records.h"

#include <QCoreApplication>
#include <QIODevice>
#include <algorithm>
#include <array>

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

// Digit values by character, -1 for anything else: records are read by the
// million from a firmware file, so each digit costs one look-up.
const std::array<signed char, 256> kDigit = [] {
    std::array<signed char, 256> table{};
    table.fill(-1);
    for (int c = 0; c < 256; ++c) {
        table[std::size_t(c)] = static_cast<signed char>(hexValue(char(c)));
    }
    return table;
}();

int digit(char c) {
    return kDigit[static_cast<unsigned char>(c)];
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
        if (digit(line[i]) < 0) {
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
        return unsigned(digit(line[2 + 2 * k]) * 16 + digit(line[3 + 2 * k]));
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
    const std::size_t first = std::size_t(width) + 1;
    record.data.resize(bytes - 1 - first);
    for (std::size_t k = first; k + 1 < bytes; ++k) {
        record.data[k - first] = std::uint8_t(byteAt(k));
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
        // The line's characters up to its end or the block's, kept in one
        // append: reading a large file is a scan, not a call per character.
        const char* begin = buffer_.data() + pos_;
        const char* stop = buffer_.data() + length_;
        const char* at = begin;
        while (at != stop && *at != '\r' && *at != '\n') {
            ++at;
        }
        const qsizetype taken = at - begin;
        if (chars <= kMaxRecordChars) {
            text_.append(begin, std::size_t(std::min(taken, kMaxRecordChars + 1 - chars)));
        }
        chars += taken;
        pos_ += taken;
        if (at != stop) {
            skipLf_ = *at == '\r';
            ended = true;
            ++pos_;
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

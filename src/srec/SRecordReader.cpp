// SPDX-License-Identifier: MIT
#include "srec/SRecordReader.h"

#include "base/HexDigit.h"
#include "dataset/NumericText.h"
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
        table[std::size_t(c)] = static_cast<signed char>(hexDigitValue(char16_t(c)));
    }
    return table;
}();

int digit(char c) {
    return kDigit[static_cast<unsigned char>(c)];
}

using numeric::hexByte;

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
    // Every pair decoded once: the count, address, data and checksum bytes.
    std::uint8_t bytes[kMaxRecordChars / 2];
    const std::size_t digits = line.size() - 2;
    for (std::size_t i = 0; i < digits; ++i) {
        const int value = digit(line[2 + i]);
        if (value < 0) {
            return QCoreApplication::translate("Report", "character %1 is not a hexadecimal digit")
                .arg(i + 3);
        }
        if (i % 2 == 0) {
            bytes[i / 2] = std::uint8_t(value << 4);
        } else {
            bytes[i / 2] |= std::uint8_t(value);
        }
    }
    if (digits % 2 != 0) {
        return QCoreApplication::translate("Report", "odd number of hexadecimal digits");
    }
    const std::size_t count = digits / 2;
    if (count == 0) {
        return QCoreApplication::translate("Report", "no count byte");
    }
    if (bytes[0] != count - 1) {
        return QCoreApplication::translate("Report",
                                           "count %1 does not match the %2 bytes after it")
            .arg(hexByte(bytes[0]))
            .arg(count - 1);
    }
    const int width = addressBytes(record.type);
    if (int(bytes[0]) < width + 1) {
        return QCoreApplication::translate("Report",
                                           "too short for its %1-byte address and checksum")
            .arg(width);
    }
    const std::uint8_t expected = checksum(bytes, count - 1);
    if (bytes[count - 1] != expected) {
        return QCoreApplication::translate("Report", "checksum %1, expected %2")
            .arg(hexByte(bytes[count - 1]), hexByte(expected));
    }
    record.address = 0;
    for (int k = 1; k <= width; ++k) {
        record.address = (record.address << 8) | bytes[k];
    }
    record.data.assign(bytes + 1 + width, bytes + count - 1);
    return {};
}

bool peekRecord(std::string_view line, int& type, std::uint32_t& address, std::size_t& length) {
    if (line.size() < 4 || line[0] != 'S' || line[1] < '0' || line[1] > '9') {
        return false;
    }
    type = line[1] - '0';
    const int width = addressBytes(type);
    if (line.size() < std::size_t(4 + 2 * width)) {
        return false;
    }
    auto byteAt = [&](std::size_t k) {
        const int high = digit(line[2 + 2 * k]);
        const int low = digit(line[3 + 2 * k]);
        return high < 0 || low < 0 ? -1 : high * 16 + low;
    };
    const int count = byteAt(0);
    if (count < width + 1) {
        return false;
    }
    address = 0;
    for (int k = 1; k <= width; ++k) {
        const int b = byteAt(std::size_t(k));
        if (b < 0) {
            return false;
        }
        address = (address << 8) | std::uint32_t(b);
    }
    length = std::size_t(count - width - 1);
    return true;
}

SRecordReader::SRecordReader(QIODevice& device) : device_(device), buffer_(kChunk) {}

bool SRecordReader::fill() {
    length_ = device_.read(buffer_.data(), kChunk);
    pos_ = 0;
    return length_ > 0;
}

bool SRecordReader::readLine() {
    text_.clear();
    chars_ = 0; // also those not kept
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
        const char* from = buffer_.data() + pos_;
        const char* end = buffer_.data() + length_;
        const char* at = from;
        while (at != end && *at != '\r' && *at != '\n') {
            ++at;
        }
        const qsizetype taken = qsizetype(at - from);
        const qsizetype room = std::max<qsizetype>(0, kMaxRecordChars + 1 - chars_);
        text_.append(from, std::size_t(std::min(taken, room)));
        chars_ += taken;
        pos_ += taken;
        if (at != end) {
            skipLf_ = *at == '\r';
            ++pos_;
            ended = true;
        }
    }
    if (!any && !ended) {
        return false;
    }
    ++number_;
    return true;
}

bool SRecordReader::nextText(std::string_view& text, qint64& number) {
    if (!readLine()) {
        return false;
    }
    text = text_;
    number = number_;
    return true;
}

bool SRecordReader::next(Line& line) {
    if (!readLine()) {
        return false;
    }
    line.number = number_;
    line.empty = chars_ == 0;
    line.error.clear();
    if (chars_ > kMaxRecordChars) {
        line.error =
            QCoreApplication::translate("Report", "longer than any S-record (%1 characters)")
                .arg(chars_);
    } else if (!line.empty) {
        line.error = parseRecord(text_, line.record);
    }
    return true;
}

} // namespace srec

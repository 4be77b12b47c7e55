// SPDX-License-Identifier: MIT
// The S3 checksum pass over any line, and data records made from any bytes:
// every checksum verifies and the records carry the bytes at their addresses.
#include "FuzzSupport.h"
#include "base/HexDigit.h"
#include "base/TarvexError.h"
#include "srec/S3Records.h"

#include <cstring>
#include <string>

namespace {

// The pairs after "S3", or false when they are not all hexadecimal pairs.
bool pairsOf(std::string_view line, std::string& bytes) {
    const std::string_view digits = line.substr(2);
    if (digits.size() % 2 != 0) {
        return false;
    }
    bytes.clear();
    for (size_t i = 0; i < digits.size(); i += 2) {
        const int hi = hexDigitValue(digits[i]);
        const int lo = hexDigitValue(digits[i + 1]);
        if (hi < 0 || lo < 0) {
            return false;
        }
        bytes.push_back(char(hi * 16 + lo));
    }
    return true;
}

unsigned sumOf(const std::string& bytes) {
    unsigned sum = 0;
    for (const char b : bytes) {
        sum += static_cast<unsigned char>(b);
    }
    return sum & 0xFF;
}

void checkLine(std::string_view line) {
    std::string pairs;
    const bool needsChecksum = line.size() > 3 && line.substr(0, 2) == "S3";
    try {
        const std::string out = srec::withS3Checksum(line);
        if (!needsChecksum) {
            fuzz::check(out == line, "a line that is no S3 record changed");
            return;
        }
        fuzz::check(out.size() == line.size() + 2 && out.compare(0, line.size(), line) == 0,
                    "checksum pass changed more than the end");
        fuzz::check(pairsOf(out, pairs) && sumOf(pairs) == 0xFF, "checksum does not verify");
    } catch (const TarvexError&) {
        fuzz::check(needsChecksum && !pairsOf(line, pairs), "a valid S3 line refused");
    }
}

void checkRecords(const std::uint8_t* data, std::size_t size) {
    std::int32_t base = 0;
    std::memcpy(&base, data, 4);
    const auto* bytes = data + 4;
    const auto count = std::int64_t(size - 4);
    S3LineList lines;
    try {
        srec::appendDataRecords(bytes, count, base, lines);
    } catch (const TarvexError&) {
        const std::int64_t last = std::int64_t(base) + (count - 1) / 16 * 16;
        fuzz::check(last > INT32_MAX, "records refused though every address fits");
        return;
    }
    std::string pairs;
    std::int64_t offset = 0;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        const std::string_view line = lines.line(i);
        fuzz::check(line.substr(0, 2) == "S3" && pairsOf(line, pairs), "record is no S3 line");
        fuzz::check(sumOf(pairs) == 0xFF, "record checksum does not verify");
        const auto n = std::int64_t(pairs.size()) - 6; // count, 4 address bytes, checksum
        fuzz::check(static_cast<unsigned char>(pairs[0]) == pairs.size() - 1 && n >= 1 && n <= 16,
                    "record count wrong");
        std::uint32_t address = 0;
        for (int k = 1; k <= 4; ++k) {
            address = address << 8 | static_cast<unsigned char>(pairs[size_t(k)]);
        }
        fuzz::check(address == std::uint32_t(base) + std::uint32_t(offset), "record address wrong");
        fuzz::check(std::memcmp(pairs.data() + 5, bytes + offset, size_t(n)) == 0,
                    "record data differ from the file");
        offset += n;
    }
    fuzz::check(offset == count, "records do not cover every byte");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkLine(std::string_view(reinterpret_cast<const char*>(data), size));
    if (size >= 4) {
        checkRecords(data, size);
    }
    return 0;
}

// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// A firmware as address ranges with their bytes, sorted, neither touching nor
// overlapping: whatever asks what the firmware holds at an address asks this.
class FirmwareImage {
public:
    struct Range {
        std::uint64_t start = 0;
        std::vector<std::uint8_t> bytes;
        std::uint64_t end() const { return start + bytes.size(); }
    };

    const std::vector<Range>& ranges() const { return ranges_; }
    std::uint64_t dataBytes() const;
    bool empty() const { return ranges_.empty(); }

    // The range holding address, nullptr when none does.
    const Range* rangeAt(std::uint64_t address) const;
    std::optional<std::uint8_t> byteAt(std::uint64_t address) const;
    // The bytes [start, start + length) when the firmware holds every one of
    // them, nullptr otherwise (ranges never touch, so one range holds them).
    const std::uint8_t* bytesAt(std::uint64_t start, std::uint64_t length) const;
    std::uint8_t* bytesAt(std::uint64_t start, std::uint64_t length);
    // How many of the bytes [start, end) the firmware holds.
    std::uint64_t heldBytes(std::uint64_t start, std::uint64_t end) const;

    // The addresses where pattern occurs, at most limit of them, lowest first.
    std::vector<std::uint64_t> find(const std::uint8_t* pattern, std::size_t length,
                                    std::size_t limit) const;

    // Many patterns found in one pass over the image: for each, where it
    // occurs, at most limit places. Patterns shorter than 8 bytes are found
    // one by one.
    struct Pattern {
        const std::uint8_t* bytes = nullptr;
        std::size_t length = 0;
    };
    std::vector<std::vector<std::uint64_t>> findAll(const std::vector<Pattern>& patterns,
                                                    std::size_t limit) const;

    // Sorted ranges that neither touch nor overlap, taken as they are.
    static FirmwareImage fromRanges(std::vector<Range> ranges);

    // The start address of the file's end record (S7, S8 or S9); none for a
    // raw image or a file without one.
    std::optional<std::uint32_t> startAddress;

private:
    std::vector<Range> ranges_;
};

// Gathers written bytes record by record and makes the image of them. Runs of
// records that continue one another share one block, so a firmware of a
// million records costs a few allocations.
class FirmwareImageBuilder {
public:
    void add(std::uint64_t address, const std::uint8_t* data, std::size_t length, qint64 line);
    // Sorts and joins the blocks. Bytes given twice with different values are
    // reported (the later line wins); call once, after the last add.
    FirmwareImage finish(const QString& file, Report& report);

private:
    struct Block {
        std::uint64_t start = 0;
        std::vector<std::uint8_t> bytes;
        qint64 line = 0; // the first line of the block
        std::uint64_t end() const { return start + bytes.size(); }
    };
    std::vector<Block> blocks_;
};

// What a firmware file is read as: S-records, or a raw image from a base address.
struct FirmwareSource {
    QString path;
    std::optional<std::uint32_t> base; // given: a raw image; none: told by its content
};

namespace firmwarefile {

// No firmware holds more data than this: a handset's flash is a small part
// of it. A larger file is refused before its bytes are read, so a command's
// memory stays within about twice what it reads.
inline constexpr std::uint64_t kLargestImage = std::uint64_t(256) << 20;

// Reads the file in one pass. S-records of every address width are taken
// (S0, S5/S6 and the end records are checked for form and skipped); a file
// not starting with a record, one named ".bin", or one given a base is a raw
// image. Every malformed record goes into the report with its line, as a file
// that is not a regular file, cannot be read or holds more than kLargestImage
// bytes (a raw image) or data bytes (S-records, read no further) does.
FirmwareImage read(const FirmwareSource& source, Report& report);

// The same, raising a TarvexError with the first error: for the commands
// that cannot work on a firmware read only in part.
FirmwareImage readWhole(const FirmwareSource& source);
// Raises the report's first error, counting the others; nothing without one.
void raiseFirstError(const Report& report);

// Whether the file is read only once the address of its first byte is
// given: a raw image not named ".bin". A file that cannot be read needs none;
// its reading says why.
bool needsBase(const QString& path);

} // namespace firmwarefile

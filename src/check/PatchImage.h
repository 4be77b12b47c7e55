#pragma once

#include <QtGlobal>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

// The bytes a patch writes, gathered record by record: consecutive records
// that continue one another share one segment, so a patch of a million
// records costs a few allocations. Once finished it answers which bytes are
// written, with what, and by which line.
class PatchImage {
public:
    void add(std::uint64_t address, const std::vector<std::uint8_t>& data, qint64 line);

    struct Overlap {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
        qint64 firstLine = 0;  // the earlier write
        qint64 secondLine = 0; // the later write
        bool differs = false;
    };
    // Sorts the writes, finds the bytes written twice and merges the rest
    // into ranges. Call once, after the last add.
    std::vector<Overlap> finish();

    struct Range {
        std::uint64_t start = 0;
        std::vector<std::uint8_t> bytes;
        std::uint64_t end() const { return start + bytes.size(); }
    };
    const std::vector<Range>& ranges() const { return ranges_; }

    std::optional<std::uint8_t> byteAt(std::uint64_t address) const;
    std::uint64_t writtenBytes(std::uint64_t start, std::uint64_t end) const;
    // The line that writes the byte at address (the last such line), 0 for none.
    qint64 lineOf(std::uint64_t address) const;

private:
    struct Segment {
        std::uint64_t start = 0;
        std::vector<std::uint8_t> bytes;
        std::uint64_t length = 0; // kept when the bytes move to the ranges
        std::uint64_t reach = 0;  // the furthest end of this and every segment before it
        std::vector<std::pair<std::uint32_t, qint64>> lines; // offset, line
        std::uint64_t end() const { return start + length; }
        qint64 lineAt(std::uint64_t address) const;
    };
    std::vector<Segment> segments_;
    std::vector<Range> ranges_;
};

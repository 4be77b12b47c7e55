#pragma once

#include <QtGlobal>
#include <cstdint>
#include <optional>
#include <vector>

// What a patch writes, gathered without its bytes: a run of records on
// consecutive lines that continue one another with one record length is one
// segment, so the memory grows with the number of separate ranges, not with
// the bytes. The bytes themselves are kept later, and only for the
// intervals asked for (bytes written twice, table entries...), by a second
// pass over the file.
class PatchImage {
public:
    // First pass: a data record of `length` bytes at `address`, on `line`.
    void add(std::uint64_t address, std::uint64_t length, qint64 line);

    struct Overlap {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
        qint64 firstLine = 0;  // the earlier write
        qint64 secondLine = 0; // the later write
    };
    // Sorts the writes, finds the bytes written twice and merges the rest
    // into ranges. Call once, after the last add.
    std::vector<Overlap> finish();
    // Whether the two writes of overlap i (of finish's list) differ; known
    // once a pass has kept the overlapping bytes.
    bool overlapDiffers(std::size_t i) const;

    struct Range {
        std::uint64_t start = 0;
        std::uint64_t end = 0; // one past the last byte
        std::uint64_t size() const { return end - start; }
    };
    const std::vector<Range>& ranges() const { return ranges_; }
    std::uint64_t writtenBytes(std::uint64_t start, std::uint64_t end) const;
    // The line that writes the byte at address (the last such line), 0 for none.
    qint64 lineOf(std::uint64_t address) const;

    // Asks a later pass to keep the bytes written in [start, end).
    void want(std::uint64_t start, std::uint64_t end);
    // Whether any interval wanted since the last pass is still to be read.
    bool wantsPass() const { return !pending_.empty(); }
    // Starts a pass: the wanted intervals get room for their bytes.
    void beginPass();
    // Whether a record at [address, address + length) touches a wanted interval.
    bool touches(std::uint64_t address, std::uint64_t length) const;
    // A record met in file order; later writes replace earlier ones.
    void keep(std::uint64_t address, const std::vector<std::uint8_t>& data, qint64 line);

    // A kept byte, as the last record writing it leaves it; nothing when it is
    // not written (or was never asked for).
    std::optional<std::uint8_t> byteAt(std::uint64_t address) const;
    // Whether every byte of a record equals the kept byte at its address.
    bool holds(std::uint64_t address, const std::vector<std::uint8_t>& data) const;

private:
    struct Segment {
        std::uint64_t start = 0;
        std::uint64_t length = 0;
        qint64 firstLine = 0;
        std::uint64_t recordLength = 0; // of every record but the last
        std::uint64_t reach = 0;        // the furthest end of this and every segment before it
        std::uint64_t end() const { return start + length; }
        qint64 lastLine() const { return firstLine + qint64((length - 1) / recordLength); }
        qint64 lineAt(std::uint64_t address) const {
            return firstLine + qint64((address - start) / recordLength);
        }
    };
    struct Kept {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
        std::vector<std::uint8_t> bytes;
        std::vector<bool> written;
    };
    // The bytes each of an overlap's two writers puts there.
    struct Writers {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
        std::uint64_t reach = 0; // the furthest end of this and every overlap before it
        qint64 firstLines[2] = {0, 0};
        qint64 lastLines[2] = {0, 0};
        std::vector<std::uint8_t> bytes[2];
    };
    const Kept* keptAt(std::uint64_t address) const;

    std::vector<Segment> segments_;
    std::vector<Range> ranges_;
    std::vector<Range> pending_;
    std::vector<Kept> kept_;
    std::vector<Writers> writers_;
};

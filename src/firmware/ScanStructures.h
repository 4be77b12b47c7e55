// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The outer structures of the files a firmware keeps, checked where they
// may start in a range of bytes: whether every length and count agrees, and
// how many bytes the whole file takes. Every chunk, entry or line a check
// visits is a step, counted, so a scan can hold its work to a budget.
namespace scanstructure {

struct Bytes {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};

// The ZIP archive whose end record lies at `end` ("PK\5\6"): the central
// directory just before it (or before the ZIP64 end record and its locator),
// every entry of it pointing at a local header of the same name whose data
// ends before the directory, the first at the archive's start. JAR when it
// holds "META-INF/MANIFEST.MF".
struct Zip {
    std::size_t start = 0;
    std::size_t length = 0;
    bool manifest = false;
    bool zip64 = false;
};

// The checks for one range of bytes.
class Walker {
public:
    explicit Walker(Bytes bytes) : bytes_(bytes) {}

    // Takes a MIDI header ("MThd" with a format and a track count that go
    // together) at `at`, walking the chunks after it up to one another header
    // walked already: each chunk is walked once, whatever the number of
    // headers sharing it. Whether one was there.
    bool midiHeaderAt(std::size_t at);

    // The Standard MIDI Files of the headers taken: the header chunk, then as
    // many "MTrk" chunks as it names, each within the bytes and ending with
    // the end-of-track event; chunks of other kinds between them are skipped,
    // as players skip them. Found in one walk of the chunks remembered.
    struct Midi {
        std::size_t start = 0;
        std::size_t length = 0;
    };
    std::vector<Midi> midiFiles();

    // A SMAF file at `at` ("MMMD" and its length): chunks filling it exactly
    // up to its 2-byte check value, the first the contents-information chunk.
    std::size_t smafAt(std::size_t at);

    std::optional<Zip> zipEndingAt(std::size_t end);

    std::uint64_t steps() const { return steps_; }

private:
    // The chunk at `at` when whole, with a printable id: where the next one
    // starts, 0 when there is none; whether it is a track.
    std::size_t nextChunk(std::size_t at, bool& track);

    // Offsets in a range, which is far smaller than 4 GiB.
    struct Header {
        std::uint32_t at = 0;
        std::uint32_t first = 0; // its first chunk
        std::uint16_t tracks = 0;
    };

    Bytes bytes_;
    std::uint64_t steps_ = 0;
    std::vector<Header> headers_;
    std::vector<std::uint64_t> walked_; // a bit a byte: a chunk (or no chunk) starts there
    std::vector<std::uint64_t> firsts_; // a bit a byte: a header's first chunk
};

// Where [at, at + length) may be a JAD as far as its lines tell: every line
// "Name: value" (a name without blanks) or a continuation line starting with
// a space, after an optional byte-order mark, in any order, and naming
// MIDlet-Name, MIDlet-Version, MIDlet-Vendor and MIDlet-Jar-Size. The text is
// read once from its start; each length asked is then answered without
// reading it again.
class JadLines {
public:
    // Reads the text at `at`, at most `longest` bytes, up to the first byte no
    // JAD holds (a control character other than tab, CR and LF).
    JadLines(Bytes bytes, std::size_t at, std::size_t longest);

    bool holds(std::size_t length) const;
    std::size_t textLength() const { return text_; }

private:
    struct Line {
        std::size_t start = 0;
        std::size_t colon = 0;    // offset of its first colon from the text's start; 0: none
        bool wellFormed = false;  // as far as the colon
        bool allBeforeOk = false; // every line before it whole and well formed
        unsigned namesBefore = 0; // required names the lines before it gave
        unsigned name = 0;        // the required name it gives
    };
    std::vector<Line> lines_;
    std::size_t text_ = 0;
};

} // namespace scanstructure

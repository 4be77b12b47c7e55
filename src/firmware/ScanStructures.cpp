// SPDX-License-Identifier: MIT
#include "firmware/ScanStructures.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace scanstructure {

namespace {

std::uint32_t be32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}
std::uint16_t le16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | p[1] << 8);
}
std::uint32_t le32(const std::uint8_t* p) {
    return le16(p) | std::uint32_t(le16(p + 2)) << 16;
}

bool has(Bytes bytes, std::size_t at, std::string_view text) {
    return at <= bytes.size && bytes.size - at >= text.size() &&
           std::memcmp(bytes.data + at, text.data(), text.size()) == 0;
}

// A chunk's length when its header and body lie before end, else nothing.
std::optional<std::size_t> chunkBody(Bytes bytes, std::size_t at, std::size_t end) {
    if (at > end || end - at < 8) {
        return std::nullopt;
    }
    const std::size_t length = be32(bytes.data + at + 4);
    if (length > end - at - 8) {
        return std::nullopt;
    }
    return length;
}

bool isUpper(std::uint8_t c) {
    return c >= 'A' && c <= 'Z';
}

} // namespace

std::size_t midiAt(Bytes bytes, std::size_t at) {
    if (!has(bytes, at, std::string_view("MThd\0\0\0\6", 8)) || bytes.size - at < 14) {
        return 0;
    }
    const std::uint8_t* head = bytes.data + at + 8;
    const unsigned format = unsigned(head[0]) << 8 | head[1];
    const unsigned tracks = unsigned(head[2]) << 8 | head[3];
    if (format > 2 || tracks == 0 || (format == 0 && tracks != 1)) {
        return 0;
    }
    std::size_t pos = at + 14;
    for (unsigned t = 0; t < tracks; ++t) {
        const auto length = chunkBody(bytes, pos, bytes.size);
        if (!has(bytes, pos, "MTrk") || !length || *length < 4) {
            return 0;
        }
        pos += 8 + *length;
        if (!has(bytes, pos - 3, "\xFF\x2F")) {
            return 0;
        }
        if (bytes.data[pos - 1] != 0) {
            return 0;
        }
    }
    return pos - at;
}

std::size_t smafAt(Bytes bytes, std::size_t at) {
    const auto length = chunkBody(bytes, at, bytes.size);
    if (!has(bytes, at, "MMMD") || !length || *length < 8 + 2) {
        return 0;
    }
    const std::size_t end = at + 8 + *length - 2; // the check value follows the chunks
    std::size_t pos = at + 8;
    if (!has(bytes, pos, "CNTI")) {
        return 0;
    }
    while (pos < end) {
        const std::uint8_t* id = bytes.data + pos;
        const auto body = chunkBody(bytes, pos, end);
        if (!body || !isUpper(id[0]) || !isUpper(id[1]) || !isUpper(id[2])) {
            return 0;
        }
        pos += 8 + *body;
    }
    return pos == end ? 8 + *length : 0;
}

std::optional<Zip> zipEndingAt(Bytes bytes, std::size_t end) {
    if (!has(bytes, end, "PK\x05\x06") || bytes.size - end < 22) {
        return std::nullopt;
    }
    const std::uint8_t* record = bytes.data + end;
    const unsigned entries = le16(record + 10);
    const std::size_t directorySize = le32(record + 12);
    const std::size_t directoryOffset = le32(record + 16);
    const std::size_t comment = le16(record + 20);
    if (le16(record + 4) != 0 || le16(record + 6) != 0 || le16(record + 8) != entries ||
        entries == 0 || bytes.size - end - 22 < comment || directorySize > end ||
        directoryOffset > end - directorySize) {
        return std::nullopt;
    }
    const std::size_t directory = end - directorySize;
    const std::size_t start = directory - directoryOffset;
    Zip zip{start, end + 22 + comment - start, false};
    bool first = false;
    std::size_t pos = directory;
    for (unsigned i = 0; i < entries; ++i) {
        if (!has(bytes, pos, "PK\x01\x02") || end - pos < 46) {
            return std::nullopt;
        }
        const std::uint8_t* entry = bytes.data + pos;
        const std::size_t nameLength = le16(entry + 28);
        const std::size_t next = pos + 46 + nameLength + le16(entry + 30) + le16(entry + 32);
        const std::size_t local = start + le32(entry + 42);
        if (next > end || local > directory || directory - local < 30 ||
            !has(bytes, local, "PK\x03\x04")) {
            return std::nullopt;
        }
        const std::uint8_t* header = bytes.data + local;
        const std::size_t dataAt = 30 + std::size_t(le16(header + 26)) + le16(header + 28);
        if (le16(header + 26) != nameLength || directory - local < dataAt ||
            directory - local - dataAt < le32(entry + 20) ||
            std::memcmp(header + 30, entry + 46, nameLength) != 0) {
            return std::nullopt;
        }
        first = first || local == start;
        zip.manifest = zip.manifest || std::string_view(reinterpret_cast<const char*>(entry + 46),
                                                        nameLength) == "META-INF/MANIFEST.MF";
        pos = next;
    }
    if (pos != end || !first) {
        return std::nullopt;
    }
    return zip;
}

bool jadMayStart(Bytes bytes, std::size_t at) {
    return has(bytes, at, "MIDlet-");
}

bool jadAt(Bytes bytes, std::size_t at, std::size_t length) {
    if (at > bytes.size || bytes.size - at < length || !jadMayStart(bytes, at)) {
        return false;
    }
    static constexpr std::array<std::string_view, 5> kRequired{
        "MIDlet-Name", "MIDlet-Version", "MIDlet-Vendor", "MIDlet-Jar-URL", "MIDlet-Jar-Size"};
    std::array<bool, kRequired.size()> found{};
    const std::string_view text(reinterpret_cast<const char*>(bytes.data + at), length);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t eol = text.find('\n', pos);
        std::string_view line = text.substr(pos, eol == text.npos ? text.npos : eol - pos);
        pos = eol == text.npos ? text.size() : eol + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;
        }
        const std::size_t colon = line.find(':');
        const bool control = std::any_of(line.begin(), line.end(), [](char c) {
            return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F;
        });
        if (colon == 0 || colon == line.npos || control ||
            line.substr(0, colon).find_first_of(" \t") != line.npos) {
            return false;
        }
        for (std::size_t k = 0; k < kRequired.size(); ++k) {
            found[k] = found[k] || line.substr(0, colon) == kRequired[k];
        }
    }
    return std::all_of(found.begin(), found.end(), [](bool f) { return f; });
}

} // namespace scanstructure

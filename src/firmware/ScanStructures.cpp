// SPDX-License-Identifier: MIT
#include "firmware/ScanStructures.h"

#include <algorithm>
#include <bit>
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

std::uint64_t le64(const std::uint8_t* p) {
    return le32(p) | std::uint64_t(le32(p + 4)) << 32;
}

// A central directory entry's sizes and local header offset, those marked
// all ones taken from its ZIP64 extra field; nothing when that field lacks them.
struct EntryPlace {
    std::uint64_t compressed = 0;
    std::uint64_t local = 0;
};
std::optional<EntryPlace> entryPlace(const std::uint8_t* entry) {
    std::uint64_t uncompressed = le32(entry + 24);
    EntryPlace place{le32(entry + 20), le32(entry + 42)};
    if (uncompressed != 0xFFFFFFFFu && place.compressed != 0xFFFFFFFFu &&
        place.local != 0xFFFFFFFFu) {
        return place;
    }
    const std::size_t nameLength = le16(entry + 28);
    const std::uint8_t* extra = entry + 46 + nameLength;
    const std::size_t extraLength = le16(entry + 30);
    for (std::size_t at = 0; at < extraLength && extraLength - at >= 4;) {
        const std::size_t size = le16(extra + at + 2);
        if (le16(extra + at) != 0x0001 || size > extraLength - at - 4) {
            at += 4 + size;
            continue;
        }
        const std::uint8_t* field = extra + at + 4;
        std::size_t used = 0;
        for (std::uint64_t* value : {&uncompressed, &place.compressed, &place.local}) {
            if (*value == 0xFFFFFFFFu) {
                if (size - used < 8) {
                    return std::nullopt;
                }
                *value = le64(field + used);
                used += 8;
            }
        }
        return place;
    }
    return std::nullopt;
}

} // namespace

std::size_t Walker::nextChunk(std::size_t at, bool& track) {
    ++steps_;
    const auto length = chunkBody(bytes_, at, bytes_.size);
    if (!length) {
        return 0;
    }
    const std::uint8_t* id = bytes_.data + at;
    if (std::any_of(id, id + 4, [](std::uint8_t c) { return c < 0x20 || c > 0x7E; })) {
        return 0;
    }
    const std::size_t next = at + 8 + *length;
    track = has(bytes_, at, "MTrk");
    // A track ends with its end-of-track event: delta, FF 2F 00.
    if (track && (*length < 4 || !has(bytes_, next - 3, std::string_view("\xFF\x2F\x00", 3)))) {
        return 0;
    }
    return next;
}

namespace {

bool bitAt(const std::vector<std::uint64_t>& bits, std::size_t at) {
    return (bits[at >> 6] >> (at & 63) & 1) != 0;
}
void setBit(std::vector<std::uint64_t>& bits, std::size_t at) {
    bits[at >> 6] |= std::uint64_t(1) << (at & 63);
}

} // namespace

bool Walker::midiHeaderAt(std::size_t at) {
    const auto headerLength = chunkBody(bytes_, at, bytes_.size);
    if (!has(bytes_, at, "MThd") || !headerLength || *headerLength < 6 ||
        bytes_.size > UINT32_MAX) {
        return false;
    }
    const std::uint8_t* head = bytes_.data + at + 8;
    const unsigned format = unsigned(head[0]) << 8 | head[1];
    const unsigned tracks = unsigned(head[2]) << 8 | head[3];
    const std::size_t first = at + 8 + *headerLength;
    if (format > 2 || tracks == 0 || (format == 0 && tracks != 1) || first >= bytes_.size) {
        return false;
    }
    if (walked_.empty()) {
        walked_.assign((bytes_.size + 63) / 64, 0);
        firsts_.assign(walked_.size(), 0);
    }
    ++steps_;
    headers_.push_back({std::uint32_t(at), std::uint32_t(first), std::uint16_t(tracks)});
    setBit(firsts_, first);
    for (std::size_t pos = first; pos < bytes_.size && !bitAt(walked_, pos);) {
        setBit(walked_, pos);
        bool track = false;
        pos = nextChunk(pos, track);
        if (pos == 0) {
            break;
        }
    }
    return true;
}

// The chunks walked form a forest, each pointing at the next; a header's
// file ends with the track chunk that lies as many tracks ahead of its first
// chunk as it names. One walk down from the runs' last chunks, keeping the
// track chunk at each count from the end, answers every header at once.
std::vector<Walker::Midi> Walker::midiFiles() {
    std::vector<Midi> files;
    if (headers_.empty()) {
        return files;
    }
    std::vector<std::uint32_t> rank(walked_.size() + 1, 0); // places walked before each word
    for (std::size_t w = 0; w < walked_.size(); ++w) {
        rank[w + 1] = rank[w] + std::uint32_t(std::popcount(walked_[w]));
    }
    const auto indexOf = [&](std::size_t at) {
        const std::uint64_t below = (std::uint64_t(1) << (at & 63)) - 1;
        return rank[at >> 6] + std::uint32_t(std::popcount(walked_[at >> 6] & below));
    };
    const auto forEachWalked = [&](const auto& visit) {
        for (std::size_t w = 0; w < walked_.size(); ++w) {
            for (std::uint64_t bits = walked_[w]; bits != 0; bits &= bits - 1) {
                visit(w * 64 + std::size_t(std::countr_zero(bits)));
            }
        }
    };
    // Each chunk's followers, the chunks whose next one it is, in one array.
    std::vector<std::uint32_t> from(rank.back() + 2, 0);
    std::vector<std::uint32_t> roots;
    forEachWalked([&](std::size_t at) {
        bool track = false;
        const std::size_t next = nextChunk(at, track);
        if (next != 0 && next < bytes_.size) {
            ++from[indexOf(next) + 2];
        } else {
            roots.push_back(std::uint32_t(at));
        }
    });
    for (std::size_t i = 2; i < from.size(); ++i) {
        from[i] += from[i - 1];
    }
    std::vector<std::uint32_t> followers(from.back());
    forEachWalked([&](std::size_t at) {
        bool track = false;
        const std::size_t next = nextChunk(at, track);
        if (next != 0 && next < bytes_.size) {
            followers[from[indexOf(next) + 1]++] = std::uint32_t(at);
        }
    });
    std::sort(headers_.begin(), headers_.end(),
              [](const Header& a, const Header& b) { return a.first < b.first; });
    // The track chunk at each count of tracks from the run's end, on the way
    // down to the chunk visited: those deeper are overwritten on the next way.
    std::vector<std::uint32_t> trackAt{0};
    std::vector<std::pair<std::uint32_t, std::uint32_t>> stack; // a chunk, its run's tracks above
    for (const std::uint32_t root : roots) {
        stack.emplace_back(root, 0);
        while (!stack.empty()) {
            const auto [at, above] = stack.back();
            stack.pop_back();
            bool track = false;
            const bool chunk = nextChunk(at, track) != 0;
            const std::uint32_t tracks = above + (chunk && track ? 1 : 0);
            if (chunk && track) {
                trackAt.resize(std::max<std::size_t>(trackAt.size(), tracks + 1));
                trackAt[tracks] = at;
            }
            if (bitAt(firsts_, at)) {
                const auto same = std::equal_range(
                    headers_.begin(), headers_.end(), Header{0, at, 0},
                    [](const Header& a, const Header& b) { return a.first < b.first; });
                for (auto h = same.first; h != same.second; ++h) {
                    ++steps_;
                    if (tracks >= h->tracks) {
                        bool isTrack = false;
                        const std::size_t end = nextChunk(trackAt[tracks - h->tracks + 1], isTrack);
                        files.push_back({h->at, end - h->at});
                    }
                }
            }
            const std::uint32_t index = indexOf(at);
            for (std::uint32_t f = from[index]; f < from[index + 1]; ++f) {
                stack.emplace_back(followers[f], tracks);
            }
        }
    }
    headers_ = {};
    walked_ = {};
    firsts_ = {};
    return files;
}

std::size_t Walker::smafAt(std::size_t at) {
    const auto length = chunkBody(bytes_, at, bytes_.size);
    if (!has(bytes_, at, "MMMD") || !length || *length < 8 + 2) {
        return 0;
    }
    const std::size_t end = at + 8 + *length - 2; // the check value follows the chunks
    std::size_t pos = at + 8;
    if (!has(bytes_, pos, "CNTI")) {
        return 0;
    }
    while (pos < end) {
        ++steps_;
        const std::uint8_t* id = bytes_.data + pos;
        const auto body = chunkBody(bytes_, pos, end);
        if (!body || !isUpper(id[0]) || !isUpper(id[1]) || !isUpper(id[2])) {
            return 0;
        }
        pos += 8 + *body;
    }
    return pos == end ? 8 + *length : 0;
}

std::optional<Zip> Walker::zipEndingAt(std::size_t end) {
    if (!has(bytes_, end, "PK\x05\x06") || bytes_.size - end < 22) {
        return std::nullopt;
    }
    const std::uint8_t* record = bytes_.data + end;
    std::uint64_t entries = le16(record + 10);
    std::uint64_t directorySize = le32(record + 12);
    std::uint64_t directoryOffset = le32(record + 16);
    const std::size_t comment = le16(record + 20);
    if (le16(record + 4) != 0 || le16(record + 6) != 0 || le16(record + 8) != entries ||
        bytes_.size - end - 22 < comment) {
        return std::nullopt;
    }
    // A ZIP64 archive puts its own end record (56 bytes) and a locator (20)
    // between the directory and this one, with the counts that hold.
    std::size_t directoryEnd = end;
    const bool zip64 = end >= 76 && has(bytes_, end - 20, "PK\x06\x07") &&
                       has(bytes_, end - 76, "PK\x06\x06") && le64(bytes_.data + end - 72) == 44;
    if (zip64) {
        const std::uint8_t* record64 = bytes_.data + end - 76;
        entries = le64(record64 + 32);
        directorySize = le64(record64 + 40);
        directoryOffset = le64(record64 + 48);
        directoryEnd = end - 76;
        if (le64(record64 + 24) != entries) {
            return std::nullopt;
        }
    }
    ++steps_;
    if (entries == 0 || directorySize > directoryEnd ||
        directoryOffset > directoryEnd - directorySize) {
        return std::nullopt;
    }
    const std::size_t directory = directoryEnd - std::size_t(directorySize);
    const std::size_t start = directory - std::size_t(directoryOffset);
    if (zip64 && le64(bytes_.data + end - 12) != directoryEnd - start) {
        return std::nullopt; // the locator points elsewhere
    }
    Zip zip{start, end + 22 + comment - start, false, zip64};
    bool first = false;
    std::size_t pos = directory;
    for (std::uint64_t i = 0; i < entries; ++i) {
        ++steps_;
        if (!has(bytes_, pos, "PK\x01\x02") || directoryEnd - pos < 46) {
            return std::nullopt;
        }
        const std::uint8_t* entry = bytes_.data + pos;
        const std::size_t nameLength = le16(entry + 28);
        const std::size_t next = pos + 46 + nameLength + le16(entry + 30) + le16(entry + 32);
        if (next > directoryEnd) {
            return std::nullopt;
        }
        const auto place = entryPlace(entry);
        if (!place || place->local > directory - start) {
            return std::nullopt;
        }
        const std::size_t local = start + std::size_t(place->local);
        if (directory - local < 30 || !has(bytes_, local, "PK\x03\x04")) {
            return std::nullopt;
        }
        const std::uint8_t* header = bytes_.data + local;
        const std::size_t dataAt = 30 + std::size_t(le16(header + 26)) + le16(header + 28);
        if (le16(header + 26) != nameLength || directory - local < dataAt ||
            directory - local - dataAt < place->compressed ||
            std::memcmp(header + 30, entry + 46, nameLength) != 0) {
            return std::nullopt;
        }
        first = first || local == start;
        zip.manifest = zip.manifest || std::string_view(reinterpret_cast<const char*>(entry + 46),
                                                        nameLength) == "META-INF/MANIFEST.MF";
        pos = next;
    }
    if (pos != directoryEnd || !first) {
        return std::nullopt;
    }
    return zip;
}

namespace {

constexpr std::string_view kRequiredNames[] = {"MIDlet-Name", "MIDlet-Version", "MIDlet-Vendor",
                                               "MIDlet-Jar-Size"};
constexpr unsigned kAllRequired = (1u << std::size(kRequiredNames)) - 1;

bool isJadByte(std::uint8_t c) {
    return c >= 0x20 ? c != 0x7F : c == '\t' || c == '\r' || c == '\n';
}

} // namespace

JadLines::JadLines(Bytes bytes, std::size_t at, std::size_t longest) {
    const std::size_t most = at <= bytes.size ? std::min(longest, bytes.size - at) : 0;
    const std::uint8_t* text = bytes.data + at;
    while (text_ < most && isJadByte(text[text_])) {
        ++text_;
    }
    std::size_t pos = has({text, text_}, 0, "\xEF\xBB\xBF") ? 3 : 0;
    bool ok = true;
    unsigned names = 0;
    while (pos < text_) {
        Line line;
        line.start = pos;
        line.allBeforeOk = ok;
        line.namesBefore = names;
        std::size_t end = pos;
        while (end < text_ && text[end] != '\r' && text[end] != '\n') {
            ++end;
        }
        const std::string_view content(reinterpret_cast<const char*>(text + pos), end - pos);
        const std::size_t colon = content.find(':');
        if (content.empty() || content.front() == ' ') {
            line.wellFormed = true; // a blank line, or one continuing the last
        } else if (colon != content.npos && colon > 0) {
            line.colon = pos + colon;
            line.wellFormed = content.substr(0, colon).find_first_of(" \t") == content.npos;
            for (std::size_t k = 0; k < std::size(kRequiredNames); ++k) {
                line.name |= content.substr(0, colon) == kRequiredNames[k] ? 1u << k : 0;
            }
        }
        ok = ok && line.wellFormed;
        names |= line.wellFormed ? line.name : 0;
        lines_.push_back(line);
        pos = end + (has({text, text_}, end, "\r\n") ? 2 : 1);
    }
}

bool JadLines::holds(std::size_t length) const {
    if (length > text_ || lines_.empty() || length <= lines_.front().start) {
        return false;
    }
    const auto after = std::upper_bound(lines_.begin(), lines_.end(), length,
                                        [](std::size_t n, const Line& l) { return n < l.start; });
    const Line& last = *(after - 1);
    if (!last.allBeforeOk) {
        return false;
    }
    unsigned names = last.namesBefore;
    if (length > last.start && !(last.wellFormed && last.colon == 0)) {
        // The line is cut: it holds when its name and colon lie before the cut.
        if (!last.wellFormed || last.colon >= length) {
            return false;
        }
        names |= last.name;
    }
    return names == kAllRequired;
}

} // namespace scanstructure

#include "check/PatchImage.h"

#include <algorithm>

void PatchImage::add(std::uint64_t address, const std::vector<std::uint8_t>& data, qint64 line) {
    if (data.empty()) {
        return;
    }
    if (segments_.empty() || segments_.back().end() != address) {
        segments_.push_back({address, {}, 0, 0, {}});
    }
    Segment& segment = segments_.back();
    segment.lines.emplace_back(std::uint32_t(address - segment.start), line);
    segment.bytes.insert(segment.bytes.end(), data.begin(), data.end());
    segment.length = segment.bytes.size();
}

qint64 PatchImage::Segment::lineAt(std::uint64_t address) const {
    const auto offset = std::uint32_t(address - start);
    auto it = std::upper_bound(lines.begin(), lines.end(), offset,
                               [](std::uint32_t o, const auto& entry) { return o < entry.first; });
    return it == lines.begin() ? 0 : std::prev(it)->second;
}

std::vector<PatchImage::Overlap> PatchImage::finish() {
    // Equal starts keep file order, so later lines overwrite earlier ones.
    std::stable_sort(segments_.begin(), segments_.end(),
                     [](const Segment& a, const Segment& b) { return a.start < b.start; });
    std::vector<Overlap> overlaps;
    const Segment* reach = nullptr;
    for (Segment& s : segments_) {
        s.reach = reach ? std::max(reach->end(), s.end()) : s.end();
        if (reach && s.start < reach->end()) {
            Overlap o;
            o.start = s.start;
            o.end = std::min(s.end(), reach->end());
            for (std::uint64_t a = o.start; a < o.end && !o.differs; ++a) {
                o.differs = s.bytes[a - s.start] != reach->bytes[a - reach->start];
            }
            const qint64 mine = s.lineAt(o.start);
            const qint64 theirs = reach->lineAt(o.start);
            o.firstLine = std::min(mine, theirs);
            o.secondLine = std::max(mine, theirs);
            overlaps.push_back(o);
        }
        if (!reach || s.end() > reach->end()) {
            reach = &s;
        }
        if (ranges_.empty() || s.start > ranges_.back().end()) {
            ranges_.push_back({s.start, s.bytes});
            continue;
        }
        Range& last = ranges_.back();
        const std::uint64_t offset = s.start - last.start;
        if (s.end() > last.end()) {
            last.bytes.resize(std::size_t(s.end() - last.start));
        }
        std::copy(s.bytes.begin(), s.bytes.end(), last.bytes.begin() + std::ptrdiff_t(offset));
    }
    for (Segment& s : segments_) {
        s.bytes = {}; // the ranges hold the bytes now
    }
    return overlaps;
}

std::optional<std::uint8_t> PatchImage::byteAt(std::uint64_t address) const {
    auto it = std::upper_bound(ranges_.begin(), ranges_.end(), address,
                               [](std::uint64_t a, const Range& r) { return a < r.start; });
    if (it == ranges_.begin() || address >= std::prev(it)->end()) {
        return std::nullopt;
    }
    const Range& r = *std::prev(it);
    return r.bytes[std::size_t(address - r.start)];
}

std::uint64_t PatchImage::writtenBytes(std::uint64_t start, std::uint64_t end) const {
    std::uint64_t written = 0;
    auto it = std::upper_bound(ranges_.begin(), ranges_.end(), start,
                               [](std::uint64_t a, const Range& r) { return a < r.start; });
    if (it != ranges_.begin()) {
        --it;
    }
    for (; it != ranges_.end() && it->start < end; ++it) {
        const std::uint64_t from = std::max(start, it->start);
        const std::uint64_t to = std::min(end, it->end());
        if (to > from) {
            written += to - from;
        }
    }
    return written;
}

qint64 PatchImage::lineOf(std::uint64_t address) const {
    qint64 line = 0;
    auto it = std::upper_bound(segments_.begin(), segments_.end(), address,
                               [](std::uint64_t a, const Segment& s) { return a < s.start; });
    // Earlier segments may reach over the address too; the latest line wins.
    while (it != segments_.begin() && std::prev(it)->reach > address) {
        --it;
        if (address < it->end()) {
            line = std::max(line, it->lineAt(address));
        }
    }
    return line;
}

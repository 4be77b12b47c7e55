#include "check/PatchImage.h"

#include <algorithm>

void PatchImage::add(std::uint64_t address, std::uint64_t length, qint64 line) {
    if (length == 0) {
        return;
    }
    if (!segments_.empty()) {
        Segment& last = segments_.back();
        // Only a run of full records on consecutive lines, so that the line
        // of any byte follows from its offset.
        const bool full = last.length % last.recordLength == 0;
        if (last.end() == address && full && line == last.lastLine() + 1 &&
            length <= last.recordLength) {
            last.length += length;
            return;
        }
    }
    segments_.push_back({address, length, line, length, 0});
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
            const qint64 mine = s.lineAt(o.start);
            const qint64 theirs = reach->lineAt(o.start);
            o.firstLine = std::min(mine, theirs);
            o.secondLine = std::max(mine, theirs);
            overlaps.push_back(o);
            Writers w;
            w.start = o.start;
            w.end = o.end;
            w.reach = writers_.empty() ? o.end : std::max(writers_.back().reach, o.end);
            w.firstLines[0] = reach->firstLine;
            w.lastLines[0] = reach->lastLine();
            w.firstLines[1] = s.firstLine;
            w.lastLines[1] = s.lastLine();
            w.bytes[0].resize(std::size_t(o.end - o.start));
            w.bytes[1].resize(std::size_t(o.end - o.start));
            writers_.push_back(std::move(w));
        }
        if (!reach || s.end() > reach->end()) {
            reach = &s;
        }
        if (ranges_.empty() || s.start > ranges_.back().end) {
            ranges_.push_back({s.start, s.end()});
        } else {
            ranges_.back().end = std::max(ranges_.back().end, s.end());
        }
    }
    return overlaps;
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
        const std::uint64_t to = std::min(end, it->end);
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

void PatchImage::want(std::uint64_t start, std::uint64_t end) {
    // Only the bytes written take room.
    auto it = std::upper_bound(ranges_.begin(), ranges_.end(), start,
                               [](std::uint64_t a, const Range& r) { return a < r.start; });
    if (it != ranges_.begin()) {
        --it;
    }
    for (; it != ranges_.end() && it->start < end; ++it) {
        const std::uint64_t from = std::max(start, it->start);
        const std::uint64_t to = std::min(end, it->end);
        if (to > from) {
            pending_.push_back({from, to});
        }
    }
}

void PatchImage::beginPass() {
    // Earlier passes' bytes stay; the new intervals join them, merged.
    for (const Kept& k : kept_) {
        pending_.push_back({k.start, k.end});
    }
    std::sort(pending_.begin(), pending_.end(),
              [](const Range& a, const Range& b) { return a.start < b.start; });
    std::vector<Range> merged;
    for (const Range& r : pending_) {
        if (!merged.empty() && r.start <= merged.back().end) {
            merged.back().end = std::max(merged.back().end, r.end);
        } else {
            merged.push_back(r);
        }
    }
    pending_.clear();
    kept_.clear(); // the pass writes every kept byte again
    for (const Range& r : merged) {
        const auto size = std::size_t(r.end - r.start);
        kept_.push_back({r.start, r.end, std::vector<std::uint8_t>(size), std::vector<bool>(size)});
    }
}

bool PatchImage::touches(std::uint64_t address, std::uint64_t length) const {
    auto it = std::upper_bound(kept_.begin(), kept_.end(), address,
                               [](std::uint64_t a, const Kept& k) { return a < k.end; });
    return it != kept_.end() && it->start < address + length;
}

void PatchImage::keep(std::uint64_t address, const std::vector<std::uint8_t>& data, qint64 line) {
    const std::uint64_t end = address + data.size();
    // The overlaps this record is one of the writers of.
    auto w = std::lower_bound(writers_.begin(), writers_.end(), end,
                              [](const Writers& x, std::uint64_t e) { return x.start < e; });
    while (w != writers_.begin() && std::prev(w)->reach > address) {
        --w;
        for (int k = 0; k < 2; ++k) {
            if (line >= w->firstLines[k] && line <= w->lastLines[k]) {
                const std::uint64_t from = std::max(address, w->start);
                const std::uint64_t to = std::min(end, w->end);
                for (std::uint64_t a = from; a < to; ++a) {
                    w->bytes[k][std::size_t(a - w->start)] = data[std::size_t(a - address)];
                }
            }
        }
    }
    auto it = std::upper_bound(kept_.begin(), kept_.end(), address,
                               [](std::uint64_t a, const Kept& k) { return a < k.end; });
    for (; it != kept_.end() && it->start < end; ++it) {
        const std::uint64_t from = std::max(address, it->start);
        const std::uint64_t to = std::min(end, it->end);
        for (std::uint64_t a = from; a < to; ++a) {
            const auto i = std::size_t(a - it->start);
            const std::uint8_t value = data[std::size_t(a - address)];
            it->bytes[i] = value;
            it->written[i] = true;
        }
    }
}

const PatchImage::Kept* PatchImage::keptAt(std::uint64_t address) const {
    auto it = std::upper_bound(kept_.begin(), kept_.end(), address,
                               [](std::uint64_t a, const Kept& k) { return a < k.end; });
    return it != kept_.end() && it->start <= address ? &*it : nullptr;
}

std::optional<std::uint8_t> PatchImage::byteAt(std::uint64_t address) const {
    const Kept* k = keptAt(address);
    if (!k || !k->written[std::size_t(address - k->start)]) {
        return std::nullopt;
    }
    return k->bytes[std::size_t(address - k->start)];
}

bool PatchImage::holds(std::uint64_t address, const std::vector<std::uint8_t>& data) const {
    std::size_t i = 0;
    while (i < data.size()) {
        const Kept* k = keptAt(address + i);
        if (!k) {
            return false;
        }
        for (; i < data.size() && address + i < k->end; ++i) {
            const auto at = std::size_t(address + i - k->start);
            if (!k->written[at] || k->bytes[at] != data[i]) {
                return false;
            }
        }
    }
    return true;
}

bool PatchImage::overlapDiffers(std::size_t i) const {
    return writers_[i].bytes[0] != writers_[i].bytes[1];
}

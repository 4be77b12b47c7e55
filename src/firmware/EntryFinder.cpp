// SPDX-License-Identifier: MIT
#include "firmware/EntryFinder.h"

#include "firmware/ScanStructures.h"
#include "srec/TableEntry.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

namespace entryfinder {

namespace {

using firmwarescan::Kind;
using firmwarescan::Resource;

// What an address may be the target of: a found resource, or a place where a JAD may start.
struct Target {
    std::size_t resource = 0;
    bool jad = false;
};

// A quick first test of every 4 bytes before the exact look-up.
class AddressFilter {
public:
    void add(std::uint32_t address) { bits_[slot(address) / 64] |= bit(address); }
    bool mayHold(std::uint32_t address) const {
        return (bits_[slot(address) / 64] & bit(address)) != 0;
    }

private:
    static constexpr int kBits = 22;
    static std::uint32_t slot(std::uint32_t address) {
        return (address * 0x9E3779B1u) >> (32 - kBits);
    }
    static std::uint64_t bit(std::uint32_t address) {
        return std::uint64_t(1) << (slot(address) % 64);
    }
    std::vector<std::uint64_t> bits_ = std::vector<std::uint64_t>((1u << kBits) / 64);
};

std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

class Finder {
public:
    Finder(const FirmwareImage& image, std::vector<Resource>& resources,
           const std::vector<std::uint64_t>& jadStarts)
        : image_(image), resources_(resources), found_(resources.size()) {
        for (std::size_t i = 0; i < resources.size(); ++i) {
            addTarget(resources[i].address, {i, false});
        }
        for (const std::uint64_t at : jadStarts) {
            addTarget(at, {0, true});
        }
    }

    void run() {
        for (const FirmwareImage::Range& range : image_.ranges()) {
            const std::uint8_t* data = range.bytes.data();
            const std::size_t size = range.bytes.size();
            for (std::size_t p = 0; p + 4 <= size; ++p) {
                const std::uint32_t value = le32(data + p);
                if (filter_.mayHold(value)) {
                    lookUp(range, p, value);
                }
            }
        }
        for (auto& [key, index] : jads_) {
            resources_[index].entries = std::move(jadEntries_[index]);
        }
        for (std::size_t i = 0; i < found_.size(); ++i) {
            resources_[i].entries = std::move(found_[i]);
        }
        std::stable_sort(
            resources_.begin(), resources_.end(),
            [](const Resource& a, const Resource& b) { return a.address < b.address; });
    }

private:
    void addTarget(std::uint64_t address, Target target) {
        if (address > 0xFFFFFFFFu) {
            return; // no 32-bit entry can point there
        }
        targets_.emplace(std::uint32_t(address), target);
        filter_.add(std::uint32_t(address));
    }

    // value, at p of the range, is an address: of a melody entry starting
    // at p, or of a Java or picture entry starting 4 bytes before.
    void lookUp(const FirmwareImage::Range& range, std::size_t p, std::uint32_t value) {
        const auto [from, to] = targets_.equal_range(value);
        const std::uint8_t* data = range.bytes.data();
        const std::size_t size = range.bytes.size();
        for (auto it = from; it != to; ++it) {
            const Target& target = it->second;
            if (target.jad) {
                if (p >= 4) {
                    jad(range, p - 4, value);
                }
                continue;
            }
            const Resource& r = resources_[target.resource];
            if (r.isMelody() && p + 8 <= size) {
                const auto e = tableentry::decode(managers::melodies(), data + p);
                if (e.size == r.size) {
                    found_[target.resource].push_back(range.start + p);
                }
            } else if (r.kind == Kind::Jar && p >= 4) {
                const auto e = tableentry::decode(managers::java(), data + p - 4);
                if (e.size == r.size) {
                    found_[target.resource].push_back(range.start + p - 4);
                }
            } else if (r.kind == Kind::Picture && p >= 4) {
                const auto e = tableentry::decode(managers::pictures(), data + p - 4);
                if (e.width == r.width && e.height == r.height) {
                    found_[target.resource].push_back(range.start + p - 4);
                }
            }
        }
    }

    // A Java entry at `at` pointing at a place where a JAD may start: a JAD
    // when the size it gives makes one.
    void jad(const FirmwareImage::Range& range, std::size_t at, std::uint32_t address) {
        const auto e = tableentry::decode(managers::java(), range.bytes.data() + at);
        if (e.size == 0 || e.size > firmwarescan::kLongestJad) {
            return;
        }
        const auto key = std::make_pair(address, e.size);
        auto known = jads_.find(key);
        if (known == jads_.end()) {
            if (rejected_.count(key) != 0) {
                return;
            }
            const FirmwareImage::Range* holder = image_.rangeAt(address);
            if (holder == nullptr ||
                !scanstructure::jadAt({holder->bytes.data(), holder->bytes.size()},
                                      std::size_t(address - holder->start), e.size)) {
                rejected_.insert(key);
                return;
            }
            Resource r;
            r.kind = Kind::Jad;
            r.address = address;
            r.size = e.size;
            resources_.push_back(std::move(r));
            known = jads_.emplace(key, resources_.size() - 1).first;
        }
        jadEntries_[known->second].push_back(range.start + at);
    }

    const FirmwareImage& image_;
    std::vector<Resource>& resources_;
    std::vector<std::vector<std::uint64_t>> found_;
    std::unordered_multimap<std::uint32_t, Target> targets_;
    AddressFilter filter_;
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::size_t> jads_;
    std::map<std::size_t, std::vector<std::uint64_t>> jadEntries_;
    std::set<std::pair<std::uint32_t, std::uint32_t>> rejected_;
};

} // namespace

void run(const FirmwareImage& image, std::vector<Resource>& resources,
         const std::vector<std::uint64_t>& jadStarts) {
    Finder(image, resources, jadStarts).run();
}

} // namespace entryfinder

// SPDX-License-Identifier: MIT
#include "firmware/EntryFinder.h"

#include "firmware/ScanStructures.h"
#include "srec/TableEntry.h"

#include <algorithm>
#include <unordered_map>

namespace entryfinder {

namespace {

using firmwarescan::Kind;
using firmwarescan::Resource;

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

// Another size an entry may give a resource and still be its entry.
bool nearSize(std::uint64_t size, std::uint64_t other) {
    return other != size && other >= size / 2 && other <= size * 2 && other != 0;
}

// A JAD's first byte: a letter of an attribute's name, or a byte-order mark's.
bool mayStartJad(std::uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == 0xEF;
}

// A Java entry pointing at a place where a JAD may start.
struct JadEntry {
    std::uint32_t target = 0;
    std::uint32_t size = 0;
    std::uint64_t entry = 0;
};

class Finder {
public:
    Finder(const FirmwareImage& image, std::vector<Resource>& resources,
           firmwarescan::WorkBudget& budget)
        : image_(image), resources_(resources), budget_(budget), found_(resources.size()),
          others_(resources.size()) {
        for (std::size_t i = 0; i < resources.size(); ++i) {
            if (resources[i].address <= 0xFFFFFFFFu) { // else no 32-bit entry points there
                targets_.emplace(std::uint32_t(resources[i].address), i);
                filter_.add(std::uint32_t(resources[i].address));
            }
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
                if (p >= 4) {
                    noteJadEntry(range, p - 4, value);
                }
            }
        }
        for (std::size_t i = 0; i < found_.size(); ++i) {
            resources_[i].entries = std::move(found_[i]);
            resources_[i].otherEntries = std::move(others_[i]);
        }
        findJads();
        std::stable_sort(
            resources_.begin(), resources_.end(),
            [](const Resource& a, const Resource& b) { return a.address < b.address; });
    }

private:
    // value, at p of the range, is an address: of a melody entry starting
    // at p, or of a Java or picture entry starting 4 bytes before.
    void lookUp(const FirmwareImage::Range& range, std::size_t p, std::uint32_t value) {
        const auto [from, to] = targets_.equal_range(value);
        const std::uint8_t* data = range.bytes.data();
        const std::size_t size = range.bytes.size();
        for (auto it = from; it != to; ++it) {
            const std::size_t i = it->second;
            const Resource& r = resources_[i];
            if (r.isMelody() && p + 8 <= size) {
                const auto e = tableentry::decode(managers::melodies(), data + p);
                note(i, range.start + p, e.size);
            } else if (r.kind == Kind::Jar && p >= 4) {
                const auto e = tableentry::decode(managers::java(), data + p - 4);
                note(i, range.start + p - 4, e.size);
            } else if (r.kind == Kind::Picture && p >= 4) {
                const auto e = tableentry::decode(managers::pictures(), data + p - 4);
                if (e.width == r.width && e.height == r.height) {
                    found_[i].push_back(range.start + p - 4);
                }
            }
        }
    }

    void note(std::size_t i, std::uint64_t entry, std::uint64_t size) {
        if (size == resources_[i].size) {
            found_[i].push_back(entry);
        } else if (nearSize(resources_[i].size, size)) {
            others_[i].push_back({entry, size});
        }
    }

    // The Java entry at `at` of the range, when it points at a place in the
    // image where a JAD may start with a size a JAD may have.
    void noteJadEntry(const FirmwareImage::Range& range, std::size_t at, std::uint32_t address) {
        const std::uint32_t size = le32(range.bytes.data() + at);
        if (size == 0 || size > firmwarescan::kLongestJad) {
            return;
        }
        const FirmwareImage::Range* holder = image_.rangeAt(address);
        if (holder != nullptr && mayStartJad(holder->bytes[address - holder->start])) {
            jadEntries_.push_back({address, size, range.start + at});
        }
    }

    // Each place Java entries point at is read once, its lines then
    // answering every size they give.
    void findJads() {
        std::stable_sort(jadEntries_.begin(), jadEntries_.end(),
                         [](const JadEntry& a, const JadEntry& b) { return a.target < b.target; });
        for (std::size_t from = 0; from < jadEntries_.size();) {
            std::size_t to = from;
            while (to < jadEntries_.size() && jadEntries_[to].target == jadEntries_[from].target) {
                ++to;
            }
            jadAt(from, to);
            from = to;
        }
    }

    void jadAt(std::size_t from, std::size_t to) {
        const std::uint32_t address = jadEntries_[from].target;
        if (!budget_.left()) {
            budget_.refuse(address);
            return;
        }
        const FirmwareImage::Range* holder = image_.rangeAt(address);
        const scanstructure::JadLines lines({holder->bytes.data(), holder->bytes.size()},
                                            std::size_t(address - holder->start),
                                            firmwarescan::kLongestJad);
        budget_.spent += lines.textLength() + (to - from);
        std::uint32_t longest = 0;
        for (std::size_t k = from; k < to; ++k) {
            if (jadEntries_[k].size > longest && lines.holds(jadEntries_[k].size)) {
                longest = jadEntries_[k].size;
            }
        }
        if (longest == 0) {
            return;
        }
        Resource r;
        r.kind = Kind::Jad;
        r.address = address;
        r.size = longest;
        for (std::size_t k = from; k < to; ++k) {
            const JadEntry& e = jadEntries_[k];
            if (e.size == longest) {
                r.entries.push_back(e.entry);
            } else if (nearSize(longest, e.size)) {
                r.otherEntries.push_back({e.entry, e.size});
            }
        }
        resources_.push_back(std::move(r));
    }

    const FirmwareImage& image_;
    std::vector<Resource>& resources_;
    firmwarescan::WorkBudget& budget_;
    std::vector<std::vector<std::uint64_t>> found_;
    std::vector<std::vector<Resource::OtherEntry>> others_;
    std::unordered_multimap<std::uint32_t, std::size_t> targets_;
    AddressFilter filter_;
    std::vector<JadEntry> jadEntries_;
};

} // namespace

void run(const FirmwareImage& image, std::vector<Resource>& resources,
         firmwarescan::WorkBudget& budget) {
    Finder(image, resources, budget).run();
}

} // namespace entryfinder

// SPDX-License-Identifier: MIT
#include "firmware/FirmwareImage.h"

#include "base/ReportLanguage.h"
#include "base/TarvexError.h"
#include "dataset/NumericText.h"
#include "platform/FileOps.h"
#include "srec/SRecordReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <functional>
#include <unordered_map>

namespace {

using numeric::kAddressSpace;
constexpr qint64 kBinaryBlock = qint64(1) << 20;

QString tooLarge() {
    return QCoreApplication::translate("Report",
                                       "holds more than %1 bytes of firmware data (%2 MiB), more "
                                       "than any firmware has; it is not read")
        .arg(firmwarefile::kLargestImage)
        .arg(firmwarefile::kLargestImage >> 20);
}

} // namespace

std::uint64_t FirmwareImage::dataBytes() const {
    std::uint64_t total = 0;
    for (const Range& range : ranges_) {
        total += range.bytes.size();
    }
    return total;
}

const FirmwareImage::Range* FirmwareImage::rangeAt(std::uint64_t address) const {
    auto it = std::upper_bound(ranges_.begin(), ranges_.end(), address,
                               [](std::uint64_t a, const Range& r) { return a < r.start; });
    if (it == ranges_.begin()) {
        return nullptr;
    }
    --it;
    return address < it->end() ? &*it : nullptr;
}

std::optional<std::uint8_t> FirmwareImage::byteAt(std::uint64_t address) const {
    const Range* range = rangeAt(address);
    if (!range) {
        return std::nullopt;
    }
    return range->bytes[std::size_t(address - range->start)];
}

const std::uint8_t* FirmwareImage::bytesAt(std::uint64_t start, std::uint64_t length) const {
    const Range* range = rangeAt(start);
    if (!range || start + length > range->end()) {
        return nullptr;
    }
    return range->bytes.data() + (start - range->start);
}

std::uint8_t* FirmwareImage::bytesAt(std::uint64_t start, std::uint64_t length) {
    return const_cast<std::uint8_t*>(std::as_const(*this).bytesAt(start, length));
}

std::uint64_t FirmwareImage::heldBytes(std::uint64_t start, std::uint64_t end) const {
    std::uint64_t held = 0;
    for (const Range& range : ranges_) {
        if (range.start < end && start < range.end()) {
            held += std::min(end, range.end()) - std::max(start, range.start);
        }
    }
    return held;
}

std::vector<std::uint64_t> FirmwareImage::find(const std::uint8_t* pattern, std::size_t length,
                                               std::size_t limit) const {
    std::vector<std::uint64_t> found;
    if (length == 0) {
        return found;
    }
    const std::boyer_moore_horspool_searcher searcher(pattern, pattern + length);
    for (const Range& range : ranges_) {
        const std::uint8_t* begin = range.bytes.data();
        const std::uint8_t* end = begin + range.bytes.size();
        for (const std::uint8_t* at = begin; found.size() < limit;) {
            at = std::search(at, end, searcher);
            if (at == end) {
                break;
            }
            found.push_back(range.start + std::uint64_t(at - begin));
            ++at;
        }
    }
    return found;
}

std::vector<std::vector<std::uint64_t>> FirmwareImage::findAll(const std::vector<Pattern>& patterns,
                                                               std::size_t limit) const {
    std::vector<std::vector<std::uint64_t>> found(patterns.size());
    // Every position's next 8 bytes are looked up: a bit table of their hash
    // turns nearly every position away in one load, the map names the
    // patterns that start with them.
    constexpr int kBits = 22;
    std::vector<std::uint64_t> filter(std::size_t(1) << (kBits - 6));
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> byPrefix;
    auto hash = [](std::uint64_t v) {
        return std::size_t((v * 0x9E3779B97F4A7C15ull) >> (64 - kBits));
    };
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        if (patterns[i].length < 8) {
            found[i] = find(patterns[i].bytes, patterns[i].length, limit);
            continue;
        }
        std::uint64_t prefix = 0;
        std::memcpy(&prefix, patterns[i].bytes, 8);
        byPrefix[prefix].push_back(i);
        const std::size_t h = hash(prefix);
        filter[h >> 6] |= std::uint64_t(1) << (h & 63);
    }
    if (byPrefix.empty()) {
        return found;
    }
    for (const Range& range : ranges_) {
        const std::uint8_t* bytes = range.bytes.data();
        const std::size_t size = range.bytes.size();
        for (std::size_t at = 0; at + 8 <= size; ++at) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes + at, 8);
            const std::size_t h = hash(word);
            if ((filter[h >> 6] >> (h & 63) & 1) == 0) {
                continue;
            }
            const auto it = byPrefix.find(word);
            if (it == byPrefix.end()) {
                continue;
            }
            for (const std::size_t i : it->second) {
                const Pattern& p = patterns[i];
                if (found[i].size() < limit && at + p.length <= size &&
                    std::memcmp(bytes + at, p.bytes, p.length) == 0) {
                    found[i].push_back(range.start + at);
                }
            }
        }
    }
    return found;
}

FirmwareImage FirmwareImage::fromRanges(std::vector<Range> ranges) {
    FirmwareImage image;
    image.ranges_ = std::move(ranges);
    return image;
}

void FirmwareImageBuilder::add(std::uint64_t address, const std::uint8_t* data, std::size_t length,
                               qint64 line) {
    if (length == 0) {
        return;
    }
    if (blocks_.empty() || blocks_.back().end() != address) {
        blocks_.push_back({address, {}, line});
    }
    std::vector<std::uint8_t>& bytes = blocks_.back().bytes;
    bytes.insert(bytes.end(), data, data + length);
}

FirmwareImage FirmwareImageBuilder::finish(const QString& file, Report& report) {
    std::stable_sort(blocks_.begin(), blocks_.end(),
                     [](const Block& a, const Block& b) { return a.start < b.start; });
    std::vector<FirmwareImage::Range> ranges;
    for (Block& block : blocks_) {
        if (ranges.empty() || block.start > ranges.back().end()) {
            ranges.push_back({block.start, std::move(block.bytes)});
            continue;
        }
        FirmwareImage::Range& range = ranges.back();
        const std::uint64_t overlapEnd = std::min(range.end(), block.end());
        const std::size_t offset = std::size_t(block.start - range.start);
        const std::size_t overlap = std::size_t(overlapEnd - block.start);
        if (!std::equal(block.bytes.begin(), block.bytes.begin() + std::ptrdiff_t(overlap),
                        range.bytes.begin() + std::ptrdiff_t(offset))) {
            report.error(
                file, block.line,
                QCoreApplication::translate("Report", "%1-%2 given again with different values")
                    .arg(numeric::hexAddress(block.start), numeric::hexAddress(overlapEnd - 1)));
        }
        std::copy(block.bytes.begin(), block.bytes.begin() + std::ptrdiff_t(overlap),
                  range.bytes.begin() + std::ptrdiff_t(offset));
        range.bytes.insert(range.bytes.end(), block.bytes.begin() + std::ptrdiff_t(overlap),
                           block.bytes.end());
        std::vector<std::uint8_t>().swap(block.bytes);
    }
    blocks_.clear();
    return FirmwareImage::fromRanges(std::move(ranges));
}

namespace firmwarefile {

namespace {

// S-records are told by their content: the first character that is not a
// blank or a line break is the "S" of a record.
bool looksLikeRecords(QFile& file) {
    const QByteArray head = file.peek(256);
    for (const char c : head) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
            return c == 'S';
        }
    }
    return false;
}

void readRecords(QFile& file, const QString& path, FirmwareImageBuilder& builder, Report& report,
                 std::optional<std::uint32_t>& startAddress) {
    srec::SRecordReader reader(file);
    srec::SRecordReader::Line line;
    std::uint64_t data = 0;
    while (reader.next(line)) {
        if (line.empty) {
            continue;
        }
        if (!line.error.isEmpty()) {
            report.error(path, line.number, line.error);
            continue;
        }
        const srec::SRecord& r = line.record;
        if (r.isEnd()) {
            startAddress = std::uint32_t(r.address);
        }
        if (!r.isData()) {
            continue;
        }
        if (std::uint64_t(r.address) + r.data.size() > kAddressSpace) {
            report.error(path, line.number,
                         QCoreApplication::translate(
                             "Report", "writes past the end of the 32-bit address space"));
            continue;
        }
        data += r.data.size();
        if (data > kLargestImage) {
            report.error(path, line.number, tooLarge());
            return;
        }
        builder.add(r.address, r.data.data(), r.data.size(), line.number);
    }
}

void readBinary(QFile& file, const QString& path, std::uint32_t base, FirmwareImageBuilder& builder,
                Report& report) {
    const qint64 size = file.size();
    if (std::uint64_t(size) > kLargestImage) {
        report.error(path, 0, tooLarge());
        return;
    }
    if (std::uint64_t(base) + std::uint64_t(size) > kAddressSpace) {
        report.error(path, 0,
                     QCoreApplication::translate(
                         "Report", "%1 bytes from %2 run past the end of the 32-bit address space")
                         .arg(size)
                         .arg(numeric::hexAddress(base)));
        return;
    }
    std::vector<std::uint8_t> block(std::size_t(std::min(size, kBinaryBlock)));
    std::uint64_t address = base;
    for (;;) {
        const qint64 got = file.read(reinterpret_cast<char*>(block.data()), qint64(block.size()));
        if (got < 0) {
            report.error(path, 0, reportlanguage::cannotBeRead(file.errorString()));
            return;
        }
        if (got == 0) {
            return;
        }
        if (address - base + std::uint64_t(got) > kLargestImage) {
            report.error(path, 0, tooLarge()); // it grew while read
            return;
        }
        builder.add(address, block.data(), std::size_t(got), 0);
        address += std::uint64_t(got);
    }
}

} // namespace

FirmwareImage read(const FirmwareSource& source, Report& report) {
    FirmwareImageBuilder builder;
    // A FIFO or device must not hang the command, so only a regular file is
    // opened, checked on its handle.
    QFile file;
    QString reason;
    switch (fileops::openForReading(file, source.path, &reason)) {
    case fileops::Opened::Ok:
        break;
    case fileops::Opened::Missing:
        report.error(source.path, 0, QCoreApplication::translate("Report", "does not exist"));
        return {};
    case fileops::Opened::Unreadable:
        report.error(source.path, 0,
                     QFileInfo(source.path).isFile()
                         ? reportlanguage::cannotBeRead(reason)
                         : QCoreApplication::translate("Report", "is not a regular file"));
        return {};
    }
    const bool binary = source.base.has_value() ||
                        source.path.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive);
    if (!binary && !looksLikeRecords(file)) {
        // Taken as a raw image at address 0 it would match nothing and patch
        // the wrong bytes; what it is must be said.
        report.error(source.path, 0,
                     QCoreApplication::translate(
                         "Report", "is not S-records; a raw image is read only when its name ends "
                                   "in .bin or --base ADDR gives its first address"));
        return {};
    }
    std::optional<std::uint32_t> startAddress;
    if (binary) {
        readBinary(file, source.path, source.base.value_or(0), builder, report);
    } else {
        readRecords(file, source.path, builder, report, startAddress);
    }
    FirmwareImage image = builder.finish(source.path, report);
    image.startAddress = startAddress;
    if (image.empty() && report.errors() == 0) {
        report.error(source.path, 0,
                     QCoreApplication::translate("Report", "holds no firmware byte"));
    }
    return image;
}

bool needsBase(const QString& path) {
    QFile file;
    return !path.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive) &&
           fileops::openForReading(file, path) == fileops::Opened::Ok && !looksLikeRecords(file);
}

FirmwareImage readWhole(const FirmwareSource& source) {
    Report report;
    FirmwareImage image = read(source, report);
    raiseFirstError(report);
    return image;
}

void raiseFirstError(const Report& report) {
    for (const Finding& finding : report.findings()) {
        if (finding.error) {
            QString text = finding.toText();
            if (report.errors() > 1) {
                text += QCoreApplication::translate("Report", " (and %1 more errors)")
                            .arg(report.errors() - 1);
            }
            throw TarvexError(text);
        }
    }
}

} // namespace firmwarefile

// SPDX-License-Identifier: MIT
#include "srec/CustomPatchSource.h"

#include "srec/CustomPatchFile.h"
#include "srec/S3Records.h"

#include <algorithm>

namespace {

// Read in blocks, so that a caller can keep its window answering in between.
constexpr qint64 kReadBlock = 4 * 1024 * 1024;

} // namespace

CustomPatchSource CustomPatchSource::read(const QString& fileName, std::int64_t size,
                                          std::int32_t offset,
                                          const std::function<void()>& betweenBlocks) {
    CustomPatchFile file(fileName, size, offset);
    CustomPatchSource source;
    const std::int64_t n = file.size();
    source.offset_ = offset;
    source.bytes_ = std::make_unique_for_overwrite<unsigned char[]>(std::size_t(n));
    source.size_ = n;
    for (std::int64_t done = 0; done < n;) {
        const std::int64_t length = std::min<std::int64_t>(n - done, kReadBlock);
        source.bytesRead_ += file.fill(source.bytes_.get() + done, length);
        done += length;
        if (betweenBlocks && done < n && !file.atEnd()) {
            betweenBlocks();
        }
    }
    return source;
}

std::int64_t CustomPatchSource::records() const {
    return (size_ + srec::kBytesPerRecord - 1) / srec::kBytesPerRecord;
}

std::int64_t CustomPatchSource::wholeRecords() const {
    return size_ / srec::kBytesPerRecord;
}

std::int64_t CustomPatchSource::lineCount() const {
    return records() + 2;
}

std::string CustomPatchSource::line(std::int64_t index) const {
    S3LineList one;
    appendLines(index, 1, one);
    return std::string(one.line(0));
}

void CustomPatchSource::appendLines(std::int64_t first, std::int64_t count, S3LineList& out) const {
    const std::int64_t end = std::min(first + count, lineCount());
    first = std::max<std::int64_t>(first, 0);
    if (first >= end) {
        return;
    }
    if (first == 0) {
        out.append(srec::kHeaderRecord);
    }
    // Lines 1 .. records() are the data records 0 .. records() - 1.
    const std::int64_t from = std::max<std::int64_t>(first, 1) - 1;
    const std::int64_t to = std::min(end - 1, records());
    if (from < to) {
        const std::int64_t start = from * srec::kBytesPerRecord;
        const std::int64_t bytes =
            std::min<std::int64_t>(to * srec::kBytesPerRecord, size_) - start;
        // The address was checked against overflow when the file was read.
        const auto address = std::int32_t(std::uint32_t(offset_) + std::uint32_t(start));
        srec::appendDataRecords(bytes_.get() + start, bytes, address, out);
    }
    if (end == lineCount()) {
        out.append(srec::kEndRecord);
    }
}

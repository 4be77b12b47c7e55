// SPDX-License-Identifier: MIT
#include "srec/S3Writer.h"

#include "srec/S3Records.h"

S3Writer::S3Writer(Sink sink, std::size_t blockBytes)
    : sink_(std::move(sink)), blockBytes_(blockBytes) {
    buffer_.reserve(0, qsizetype(2 * blockBytes));
}

void S3Writer::append(std::string_view line) {
    buffer_.append(line);
    flushIfFull();
}

void S3Writer::append(const QString& line) {
    buffer_.append(line);
    flushIfFull();
}

void S3Writer::append(const S3LineList& lines) {
    buffer_.append(lines);
    flushIfFull();
}

void S3Writer::appendDataRecords(const unsigned char* bytes, std::int64_t count,
                                 std::int32_t baseAddress) {
    srec::appendDataRecords(bytes, count, baseAddress, buffer_);
    flushIfFull();
}

void S3Writer::flushIfFull() {
    if (sink_ && buffer_.text().size() >= blockBytes_) {
        sink_(buffer_);
        buffer_.clear();
    }
}

void S3Writer::finish() {
    if (sink_ && !buffer_.isEmpty()) {
        sink_(buffer_);
        buffer_.clear();
    }
}

// SPDX-License-Identifier: MIT
#pragma once

#include "srec/S3LineList.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <string_view>

// Patch text handed on in blocks as it is made, so that a patch of any size
// needs only one block in memory. Without a sink the writer collects the
// whole patch instead, for callers that show or keep it.
class S3Writer {
public:
    using Sink = std::function<void(const S3LineList& block)>;

    // Blocks of about this many bytes: large enough that writing them costs
    // few system calls, small enough to stay in the cache. Larger blocks were
    // slower: every fresh page of a block costs a page fault.
    static constexpr std::size_t kBlockBytes = std::size_t(1) << 18;

    S3Writer() = default; // collects
    explicit S3Writer(Sink sink, std::size_t blockBytes = kBlockBytes);

    void append(std::string_view line);
    void append(const QString& line); // code page 1251
    void append(const S3LineList& lines);
    // Checksummed data records of bytes[0..count) from baseAddress on.
    void appendDataRecords(const unsigned char* bytes, std::int64_t count,
                           std::int32_t baseAddress);

    // For code that appends to a list: append to buffer(), then flushIfFull().
    S3LineList& buffer() { return buffer_; }
    void flushIfFull();

    // Hands on what is left; call once after the last line.
    void finish();
    // The collected patch of a writer without sink.
    S3LineList take() { return std::move(buffer_); }

private:
    Sink sink_;
    std::size_t blockBytes_ = 0;
    S3LineList buffer_;
};

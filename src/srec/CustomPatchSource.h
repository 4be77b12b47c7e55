// SPDX-License-Identifier: MIT
#pragma once

#include "srec/S3LineList.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// A custom patch kept as the bytes of its file: every line of it (header,
// data records, end record) is made from those bytes when it is asked for, so
// a patch of any size is ready as soon as the file is read.
class CustomPatchSource {
public:
    // Reads up to size bytes of the file (its size as measured when it was
    // chosen); bytes the read does not deliver are FF. Raises "Integer
    // overflow" for a last address past the signed 32-bit range (before the
    // file is opened) and "Cannot open file %s". betweenBlocks, when given,
    // is called between the blocks of a large read.
    static CustomPatchSource read(const QString& fileName, std::int64_t size, std::int32_t offset,
                                  const std::function<void()>& betweenBlocks = {});

    std::int64_t bytesRead() const { return bytesRead_; }
    std::int64_t wholeRecords() const;
    std::int64_t lineCount() const; // header + data records + end record

    std::string line(std::int64_t index) const;
    // Lines [first, first + count) appended to out.
    void appendLines(std::int64_t first, std::int64_t count, S3LineList& out) const;

private:
    std::int64_t records() const;

    // Not filled up front: a large file costs one pass over its bytes, the read.
    std::unique_ptr<unsigned char[]> bytes_;
    std::int64_t size_ = 0;
    std::int64_t bytesRead_ = 0;
    std::int32_t offset_ = 0;
};

// SPDX-License-Identifier: MIT
#include "srec/CustomPatchFile.h"

#include "base/TarvexError.h"
#include "dataset/NumericText.h"
#include "srec/S3Records.h"

#include <algorithm>

CustomPatchFile::CustomPatchFile(const QString& fileName, std::int64_t size, std::int32_t offset,
                                 QIODevice::OpenMode mode)
    : file_(fileName), size_(std::max<std::int64_t>(size, 0)) {
    if (size_ > 0) {
        numeric::add(
            offset, numeric::fromSize((size_ - 1) / srec::kBytesPerRecord * srec::kBytesPerRecord));
    }
    if (!file_.open(mode)) {
        throw errors::cannotOpenFile(fileName, file_.errorString());
    }
}

std::int64_t CustomPatchFile::fill(unsigned char* buffer, std::int64_t length) {
    std::int64_t got = 0;
    while (!atEnd_ && got < length) {
        const qint64 r = file_.read(reinterpret_cast<char*>(buffer) + got, length - got);
        if (r <= 0) {
            atEnd_ = true;
            break;
        }
        got += r;
    }
    std::fill(buffer + got, buffer + length, 0xFF);
    return got;
}

// SPDX-License-Identifier: MIT
#include "srec/CustomPatch.h"

#include "base/TarvexError.h"
#include "dataset/NumericText.h"
#include "srec/CustomPatchFile.h"
#include "srec/S3Records.h"
#include "srec/S3Writer.h"

#include <QFile>
#include <algorithm>
#include <memory>

namespace {

// Bytes read and turned into records at a time: whole records, about three
// quarters of a writer block once written as text (a byte takes about three
// characters).
constexpr std::int64_t kChunkBytes = 64 * 1024;
static_assert(kChunkBytes % srec::kBytesPerRecord == 0);

} // namespace

CustomPatch writeCustomPatch(const QString& fileName, std::int64_t size, std::int32_t offset,
                             S3Writer& out) {
    CustomPatch patch;
    CustomPatchFile file(fileName, size, offset, QIODevice::ReadOnly | QIODevice::Unbuffered);
    const std::int64_t n = file.size();
    out.append(srec::kHeaderRecord);
    const std::size_t chunk = std::size_t(std::min(n, kChunkBytes));
    const auto buffer = std::make_unique_for_overwrite<unsigned char[]>(chunk);
    for (std::int64_t done = 0; done < n;) {
        const std::int64_t length = std::min(n - done, kChunkBytes);
        patch.bytesRead += file.fill(buffer.get(), length);
        out.appendDataRecords(buffer.get(), length, numeric::add(offset, numeric::fromSize(done)));
        done += length;
    }
    out.append(srec::kEndRecord);
    patch.wholeRecords = n / srec::kBytesPerRecord;
    return patch;
}

CustomPatch writeCustomPatchFromStream(QIODevice& stream, std::int32_t offset, S3Writer& out) {
    CustomPatch patch;
    out.append(srec::kHeaderRecord);
    const auto buffer = std::make_unique_for_overwrite<unsigned char[]>(std::size_t(kChunkBytes));
    for (bool atEnd = false; !atEnd;) {
        // Each block is filled before it is written, so that only the last
        // record can be short.
        std::int64_t got = 0;
        while (got < kChunkBytes) {
            const qint64 r =
                stream.read(reinterpret_cast<char*>(buffer.get()) + got, kChunkBytes - got);
            if (r < 0) {
                throw errors::streamRead();
            }
            if (r == 0) {
                atEnd = true;
                break;
            }
            got += r;
        }
        if (got == 0) {
            break;
        }
        const std::int32_t address = numeric::add(offset, numeric::fromSize(patch.bytesRead));
        numeric::add(address,
                     numeric::fromSize((got - 1) / srec::kBytesPerRecord * srec::kBytesPerRecord));
        out.appendDataRecords(buffer.get(), got, address);
        patch.bytesRead += got;
    }
    out.append(srec::kEndRecord);
    patch.wholeRecords = patch.bytesRead / srec::kBytesPerRecord;
    return patch;
}

CustomPatch makeCustomPatch(const QString& fileName, std::int64_t size, std::int32_t offset) {
    S3Writer collect;
    CustomPatch patch = writeCustomPatch(fileName, size, offset, collect);
    patch.lines = collect.take();
    return patch;
}

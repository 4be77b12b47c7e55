// SPDX-License-Identifier: MIT
#pragma once

#include "srec/S3LineList.h"

#include <QString>
#include <cstdint>

class QIODevice;
class S3Writer;

// A patch that writes any file's bytes at a typed address: the header record,
// the file's data records and the end record, nothing else.
struct CustomPatch {
    S3LineList lines;
    std::int64_t bytesRead = 0;    // what the read delivered
    std::int64_t wholeRecords = 0; // measured size div 16
};

// size is the file's size as measured when it was chosen; bytes the read does
// not deliver (the file shrank) are written as FF. Raises "Cannot open file %s"
// or "Integer overflow" for an address past the signed 32-bit range.
CustomPatch makeCustomPatch(const QString& fileName, std::int64_t size, std::int32_t offset);

// The same patch written to `out` as the file is read, a block at a time, so
// a file of any size needs only a block of memory. Both errors are raised
// before the first line is written. Returns bytesRead and wholeRecords with
// empty lines; the caller finishes the writer.
CustomPatch writeCustomPatch(const QString& fileName, std::int64_t size, std::int32_t offset,
                             S3Writer& out);

// The same for a stream (a pipe, a FIFO, standard input), read to its end:
// the size is what was read. "Integer overflow" comes at the block whose
// address would pass the signed 32-bit range, after the blocks before it.
CustomPatch writeCustomPatchFromStream(QIODevice& stream, std::int32_t offset, S3Writer& out);

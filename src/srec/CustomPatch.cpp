#include "srec/CustomPatch.h"

#include "dataset/NumericText.h"
#include "base/TarvexError.h"
#include "srec/S3Records.h"

#include <QFile>
#include <vector>

CustomPatch MakeCustomPatch(const QString& fileName, std::int64_t size, std::int32_t offset) {
    CustomPatch patch;
    const std::int64_t n = std::max<std::int64_t>(size, 0);
    // A file whose last record's address would overflow is refused before it is read.
    if (n > 0) {
        numeric::add(offset,
                     numeric::fromSize((n - 1) / srec::kBytesPerRecord * srec::kBytesPerRecord));
    }
    std::vector<unsigned char> buffer(static_cast<std::size_t>(n), 0xFF);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw errors::cannotOpenFile(fileName);
    }
    std::int64_t got = 0;
    while (got < n) {
        const qint64 r = file.read(reinterpret_cast<char*>(buffer.data()) + got, n - got);
        if (r <= 0) {
            break;
        }
        got += r;
    }
    patch.bytesRead = got;
    patch.wholeRecords = n / srec::kBytesPerRecord;
    patch.lines.append(srec::kHeaderRecord);
    srec::appendDataRecords(buffer.data(), n, offset, patch.lines);
    patch.lines.append(srec::kEndRecord);
    return patch;
}

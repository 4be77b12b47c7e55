// SPDX-License-Identifier: MIT
#include "pictures/BitmapLoader.h"

#include "base/TarvexError.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <cstdint>
#include <cstdlib>

namespace {

TarvexError invalidBitmap() {
    return TarvexError(QCoreApplication::translate("Report", "Bitmap image is not valid"));
}

std::uint32_t le16(const QByteArray& b, int at) {
    return static_cast<std::uint8_t>(b[at]) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 1])) << 8;
}

std::uint32_t le32(const QByteArray& b, int at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

// The image library fills the rows a truncated file lacks instead of failing,
// which would turn a damaged file into a wrong picture. So the header's
// promise of pixel data is checked against the file's length. Only the header
// kinds whose data size is known are checked. The last row needs its padding
// too, as the reader takes whole padded rows.
bool pixelDataPresent(const QByteArray& head, qint64 fileSize) {
    constexpr int kFileHeader = 14;
    if (head.size() < kFileHeader + 4) {
        return true; // nothing to judge by: the reader decides
    }
    const qint64 dataOffset = le32(head, 10);
    const std::uint32_t infoSize = le32(head, kFileHeader);

    qint64 width = 0;
    qint64 height = 0;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    if (infoSize == 12 && head.size() >= kFileHeader + 12) {
        width = le16(head, 18);
        height = le16(head, 20);
        bitsPerPixel = le16(head, 24);
    } else if (infoSize >= 40 && head.size() >= kFileHeader + 24) {
        width = static_cast<std::int32_t>(le32(head, 18));
        height = std::llabs(static_cast<std::int32_t>(le32(head, 22)));
        bitsPerPixel = le16(head, 28);
        compression = le32(head, 30);
        imageSize = le32(head, 34);
    } else {
        return true;
    }
    if (width <= 0 || height <= 0 || bitsPerPixel == 0 || bitsPerPixel > 32) {
        return true;
    }

    enum : std::uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };
    if (compression == Rgb || compression == BitFields || compression == AlphaBitFields) {
        const qint64 rowBits = width * bitsPerPixel;
        const qint64 stride = (rowBits + 31) / 32 * 4;
        // Divided rather than multiplied: the header's own width and height
        // may overflow any product.
        return dataOffset <= fileSize && height <= (fileSize - dataOffset) / stride;
    }
    if (compression == Rle8 || compression == Rle4) {
        // The compressed length, 0 when the writer left it out.
        return fileSize >= dataOffset + qint64(imageSize);
    }
    return true;
}

} // namespace

QImage loadBitmap(const QString& path) {
    QFile file;
    QString reason;
    if (!fileops::openRegular(file, path, &reason)) {
        throw errors::cannotOpenFile(path, reason);
    }
    const QByteArray head = file.peek(64);

    // Checked before decoding: a header of a few bytes may promise millions
    // of pixels, and the reader would allocate and fill them all first.
    if (!pixelDataPresent(head, file.size())) {
        throw invalidBitmap();
    }
    // Only bitmaps: another image format under a .bmp name is refused.
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull()) {
        throw invalidBitmap();
    }
    return image;
}

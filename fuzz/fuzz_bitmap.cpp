// SPDX-License-Identifier: MIT
// Any bytes as a chosen bitmap, converted into the handset picture format; the
// result is decoded again and must obey the format and give back every pixel.
#include "FuzzSupport.h"
#include "base/TarvexError.h"
#include "pictures/BitmapLoader.h"
#include "pictures/HandsetPicture.h"
#include "pictures/PixelImage.h"

#include <QImage>
#include <vector>

namespace {

std::uint16_t le16(const QByteArray& b, qsizetype at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) |
                                      static_cast<std::uint8_t>(b[at + 1]) << 8);
}

// Reads the handset picture back into RGB565 values, checking its layout.
std::vector<std::uint16_t> decodeHandset(const QByteArray& b, int width, int height) {
    const qsizetype size = b.size();
    fuzz::check(size >= 12 && size % 2 == 0, "handset picture too short or of odd length");
    fuzz::check(static_cast<std::uint8_t>(b[0]) == 0x09, "format byte is not 09");
    const int paletteSize = static_cast<std::uint8_t>(b[1]);
    fuzz::check(paletteSize >= 1 && paletteSize <= 127, "palette size outside 1 to 127");
    std::vector<std::uint16_t> palette;
    for (int i = 0; i < paletteSize; ++i) {
        palette.push_back(le16(b, 2 + 2 * i));
    }
    fuzz::check(static_cast<std::uint8_t>(b[size - 4]) == (width & 0xFF) && b[size - 3] == 0 &&
                    static_cast<std::uint8_t>(b[size - 2]) == (height & 0xFF) && b[size - 1] == 0,
                "trailer does not carry width and height");

    const std::size_t count = std::size_t(width) * std::size_t(height);
    std::vector<std::uint16_t> pixels;
    pixels.reserve(count);
    qsizetype at = 2 + 2 * paletteSize;
    const qsizetype end = size - 4;
    while (pixels.size() + 1 < count) {
        fuzz::check(at < end, "runs end before the last pixel");
        const auto head = static_cast<std::uint8_t>(b[at]);
        const int length = head & 0x3F;
        fuzz::check(length >= 1, "run of length 0");
        if ((head & 0xC0) == 0xC0) {
            fuzz::check(at + 1 < end, "palette run cut off");
            const int index = static_cast<std::uint8_t>(b[at + 1]);
            fuzz::check(index < paletteSize, "palette index past the palette");
            pixels.insert(pixels.end(), std::size_t(length), palette[std::size_t(index)]);
            at += 2;
        } else {
            fuzz::check((head & 0xC0) == 0x80 && at + 2 < end, "not a run record");
            pixels.insert(pixels.end(), std::size_t(length), le16(b, at + 1));
            at += 3;
        }
        fuzz::check(pixels.size() < count, "runs cover the last pixel too");
    }
    fuzz::check(at + 2 < end && static_cast<std::uint8_t>(b[at]) == 0x81, "no closing record");
    pixels.push_back(le16(b, at + 1));
    at += 3;
    fuzz::check(at == end || (at + 1 == end && b[at] == 0),
                "bytes between closing record and trailer");
    return pixels;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path =
        fuzz::writeScratchFile(QStringLiteral("chosen.bmp"), fuzz::bytesOf(data, size));
    QImage image;
    try {
        image = loadBitmap(path);
    } catch (const TarvexError&) {
        return 0;
    }
    fuzz::check(!image.isNull(), "a bitmap accepted as an empty image");
    // Run-length bitmaps of a few bytes may declare millions of pixels (the
    // image library allows up to 256 MB). Converting them is linear in the
    // pixels but takes seconds under the sanitizers, and slots only take
    // pictures below 256 x 256; past a million pixels only the loading counts.
    if (qint64(image.width()) * image.height() > (qint64(1) << 20)) {
        return 0;
    }
    const PixelImage picture = toPixelImage(image);
    fuzz::check(picture.width == image.width() && picture.height == image.height(),
                "pixel picture of another size");
    const QByteArray handset = encodeHandsetPicture(picture);
    const std::vector<std::uint16_t> pixels = decodeHandset(handset, picture.width, picture.height);
    fuzz::check(pixels.size() == picture.colors.size(), "handset picture of another pixel count");
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        fuzz::check(pixels[i] == colorToRgb565(picture.colors[i]), "a pixel changed colour");
    }
    return 0;
}

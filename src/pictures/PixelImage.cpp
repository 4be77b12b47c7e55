// SPDX-License-Identifier: MIT
#include "pictures/PixelImage.h"

#include <QImage>

PixelImage toPixelImage(const QImage& image) {
    PixelImage picture;
    if (image.isNull()) {
        return picture;
    }

    // Both formats hold 0xAARRGGBB words with the colour as stored, so the
    // red, green and blue are read without any blending against the alpha.
    // Premultiplied and other layouts are converted; for palette images this
    // yields the palette colours.
    QImage source = image;
    if (source.format() != QImage::Format_RGB32 && source.format() != QImage::Format_ARGB32) {
        source = source.convertToFormat(QImage::Format_ARGB32);
    }

    picture.width = source.width();
    picture.height = source.height();
    picture.colors.resize(static_cast<std::size_t>(picture.width) *
                          static_cast<std::size_t>(picture.height));

    std::uint32_t* out = picture.colors.data();
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < picture.width; ++x) {
            const QRgb pixel = row[x];
            *out++ = static_cast<std::uint32_t>(qRed(pixel)) |
                     static_cast<std::uint32_t>(qGreen(pixel)) << 8 |
                     static_cast<std::uint32_t>(qBlue(pixel)) << 16;
        }
    }
    return picture;
}

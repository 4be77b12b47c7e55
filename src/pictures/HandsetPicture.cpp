// SPDX-License-Identifier: MIT
#include "pictures/HandsetPicture.h"

#include "dataset/ListFile.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <vector>

namespace {

using namespace handsetformat;

// The palette is ordered by the values' decimal text compared character by
// character ("2016" before "31", "100" before "20"). Each value's text, padded
// on the right with a mark that sorts before every digit, read as a base-11
// number, gives a key whose numeric order is that text order.
std::uint32_t textOrderKey(std::uint16_t value) {
    std::array<std::uint8_t, 5> digits{};
    int count = 0;
    do {
        digits[static_cast<std::size_t>(count++)] = static_cast<std::uint8_t>(value % 10);
        value = static_cast<std::uint16_t>(value / 10);
    } while (value != 0);

    std::uint32_t key = 0;
    for (int position = 0; position < 5; ++position) {
        const std::uint32_t symbol =
            position < count ? digits[static_cast<std::size_t>(count - 1 - position)] + 1u : 0u;
        key = key * 11 + symbol;
    }
    return key;
}

struct Palette {
    std::vector<std::uint16_t> values;    // in palette order
    std::vector<std::uint8_t> indexPlus1; // per RGB565 value: palette index + 1, or 0
};

Palette buildPalette(const std::vector<std::uint16_t>& pixels) {
    Palette palette;
    palette.indexPlus1.assign(65536, 0);

    // Distinct values, found with a direct table rather than a search.
    std::vector<std::uint16_t> distinct;
    distinct.reserve(std::min<std::size_t>(pixels.size(), 65536));
    for (const std::uint16_t value : pixels) {
        if (palette.indexPlus1[value] == 0) {
            palette.indexPlus1[value] = 1;
            distinct.push_back(value);
        }
    }
    for (const std::uint16_t value : distinct) {
        palette.indexPlus1[value] = 0;
    }

    std::vector<std::pair<std::uint32_t, std::uint16_t>> keyed;
    keyed.reserve(distinct.size());
    for (const std::uint16_t value : distinct) {
        keyed.emplace_back(textOrderKey(value), value);
    }
    // Only the first 127 in text order are wanted; a partial sort keeps a
    // picture of many colours cheap.
    const std::size_t size = std::min(keyed.size(), kMaxPaletteSize);
    std::partial_sort(keyed.begin(), keyed.begin() + static_cast<std::ptrdiff_t>(size),
                      keyed.end());

    palette.values.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        palette.values.push_back(keyed[i].second);
        palette.indexPlus1[keyed[i].second] = static_cast<std::uint8_t>(i + 1);
    }
    return palette;
}

} // namespace

std::uint16_t colorToRgb565(std::uint32_t color) {
    const std::uint32_t red = color & 0xFF;
    const std::uint32_t green = (color >> 8) & 0xFF;
    const std::uint32_t blue = (color >> 16) & 0xFF;
    return static_cast<std::uint16_t>((red >> 3) << 11 | (green >> 2) << 5 | (blue >> 3));
}

QRgb rgb565ToRgb(std::uint16_t value) {
    const int red = value >> 11;
    const int green = (value >> 5) & 0x3F;
    const int blue = value & 0x1F;
    return qRgb(red << 3 | red >> 2, green << 2 | green >> 4, blue << 3 | blue >> 2);
}

QImage inHandsetColours(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    const PixelImage pixels = toPixelImage(image);
    QImage shown(pixels.width, pixels.height, QImage::Format_RGB32);
    const std::uint32_t* in = pixels.colors.data();
    for (int y = 0; y < pixels.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(shown.scanLine(y));
        for (int x = 0; x < pixels.width; ++x) {
            row[x] = rgb565ToRgb(colorToRgb565(*in++));
        }
    }
    return shown;
}

QByteArray encodeHandsetPicture(const PixelImage& picture) {
    if (picture.width <= 0 || picture.height <= 0) {
        return {};
    }
    const std::size_t count =
        static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (picture.colors.size() != count) {
        throw std::invalid_argument("PixelImage: colour count differs from width x height");
    }

    std::vector<std::uint16_t> pixels(count);
    std::transform(picture.colors.begin(), picture.colors.end(), pixels.begin(), colorToRgb565);
    const Palette palette = buildPalette(pixels);

    // Worst case: every pixel but the last its own three-byte direct run.
    const std::size_t capacity = 2 + 2 * palette.values.size() + 3 * (count - 1) + 3 + 1 + 4;
    QByteArray bytes(static_cast<qsizetype>(capacity), Qt::Uninitialized);
    auto* const begin = reinterpret_cast<std::uint8_t*>(bytes.data());
    std::uint8_t* out = begin;
    const auto put16 = [&out](std::uint16_t value) {
        *out++ = static_cast<std::uint8_t>(value & 0xFF);
        *out++ = static_cast<std::uint8_t>(value >> 8);
    };

    *out++ = kFormatByte;
    *out++ = static_cast<std::uint8_t>(palette.values.size());
    for (const std::uint16_t value : palette.values) {
        put16(value);
    }

    // Runs over every pixel but the last, which always goes in the closing
    // record.
    const std::uint16_t* const p = pixels.data();
    const auto last = static_cast<qsizetype>(count - 1);
    for (qsizetype start = 0; start < last;) {
        const std::uint16_t value = p[start];
        qsizetype end = start + 1;
        while (end < last && p[end] == value && end - start < kMaxRunLength) {
            ++end;
        }
        const auto length = static_cast<std::uint8_t>(end - start);
        if (const std::uint8_t index = palette.indexPlus1[value]; index != 0) {
            *out++ = static_cast<std::uint8_t>(kPaletteRun + length);
            *out++ = static_cast<std::uint8_t>(index - 1);
        } else {
            *out++ = static_cast<std::uint8_t>(kDirectRun + length);
            put16(value);
        }
        start = end;
    }

    *out++ = static_cast<std::uint8_t>(kDirectRun + 1);
    put16(p[last]);
    if ((out - begin) % 2 != 0) {
        *out++ = 0x00;
    }
    *out++ = static_cast<std::uint8_t>(picture.width & 0xFF);
    *out++ = 0x00;
    *out++ = static_cast<std::uint8_t>(picture.height & 0xFF);
    *out++ = 0x00;

    bytes.truncate(out - begin);
    return bytes;
}

bool convertPicture(const PixelImage& picture, const QString& outputPath) {
    if (picture.width <= 0 || picture.height <= 0) {
        return false;
    }
    listfile::writeWhole(outputPath, encodeHandsetPicture(picture));
    return true;
}

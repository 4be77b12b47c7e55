// SPDX-License-Identifier: MIT
#pragma once

#include "pictures/PixelImage.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <optional>

// The handset's own picture format: format byte 0x09, a palette of at most 127
// RGB565 colours, run records, a closing record for the last pixel, a pad byte
// to an even length and a width/height trailer. Every 16-bit value is
// little-endian.

namespace handsetformat {
inline constexpr std::uint8_t kFormatByte = 0x09;
inline constexpr std::size_t kMaxPaletteSize = 127;
inline constexpr int kMaxRunLength = 63;
// A record's top two bits give its kind, the low six its length.
inline constexpr std::uint8_t kPaletteRun = 0xC0;
inline constexpr std::uint8_t kDirectRun = 0x80;
// The last pixel's record: a direct run of one pixel.
inline constexpr std::uint8_t kClosingRecord = kDirectRun + 1;
// Width, 0, height, 0.
inline constexpr int kTrailerSize = 4;

constexpr bool isPaletteSize(int colours) {
    return colours >= 1 && colours <= int(kMaxPaletteSize);
}

// What a record's first byte says: a palette run (an index byte follows) or a
// direct run (an RGB565 value follows) of 1 to 63 pixels; nothing for a byte
// that starts no run.
struct RunRecord {
    bool palette = false;
    int length = 0;
};
constexpr std::optional<RunRecord> runRecord(std::uint8_t head) {
    const int length = head & kMaxRunLength;
    if ((head & kDirectRun) == 0 || length == 0) {
        return std::nullopt;
    }
    return RunRecord{(head & kPaletteRun) == kPaletteRun, length};
}

// Whether a pad byte comes before a trailer that would start at offset.
constexpr bool padsBefore(std::int64_t offset) {
    return offset % 2 != 0;
}
} // namespace handsetformat

// Colour number with red in bits 0-7, green 8-15, blue 16-23 (bits 24-31
// ignored) to RGB565; the low bits are dropped, not rounded.
std::uint16_t colorToRgb565(std::uint32_t color);

// An RGB565 value widened back to 8 bits per channel, the top bits repeated
// into the low ones so that 0xFFFF is white; colorToRgb565 gives the value back.
QRgb rgb565ToRgb(std::uint16_t value);

// The picture as the handset shows it: every pixel reduced to RGB565 and
// widened back (RGB32). Converting it gives the same bytes as the original.
QImage inHandsetColours(const QImage& image);

// The file bytes for the picture; empty when its width or height is 0.
// Throws std::invalid_argument when the colour count is not width x height.
QByteArray encodeHandsetPicture(const PixelImage& picture);

// Writes the handset picture file to outputPath, replacing any earlier
// content atomically, and returns true. Returns false and writes nothing when
// the width or height is 0. Raises "Cannot create file %s" when it cannot be
// written.
bool convertPicture(const PixelImage& picture, const QString& outputPath);

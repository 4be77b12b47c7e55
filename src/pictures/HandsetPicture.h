#pragma once

#include "pictures/PixelImage.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// The handset's own picture format: format byte 0x09, a palette of at most 127
// RGB565 colours, run records, a closing record for the last pixel, a pad byte
// to an even length and a width/height trailer. Every 16-bit value is
// little-endian.

// Colour number with red in bits 0-7, green 8-15, blue 16-23 (bits 24-31
// ignored) to RGB565; the low bits are dropped, not rounded.
std::uint16_t ColorToRGB565(std::uint32_t color);

// The file bytes for the picture; empty when its width or height is 0.
// Throws std::invalid_argument when the colour count is not width x height.
QByteArray encodeHandsetPicture(const PixelImage& picture);

// Writes the handset picture file to outputPath, replacing any earlier
// content atomically, and returns true. Returns false and writes nothing when
// the width or height is 0. Raises "Cannot create file %s" when it cannot be
// written.
bool ConvertPicture(const PixelImage& picture, const QString& outputPath);

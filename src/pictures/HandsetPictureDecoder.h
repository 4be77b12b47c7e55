// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <vector>

// The handset picture format read back, to check a conversion or to look at a
// picture a patch carries.
struct HandsetPictureData {
    int width = 0;
    int height = 0;
    std::vector<std::uint16_t> pixels; // RGB565, row by row from the top
};

// No handset picture is longer than this: a 255 x 255 picture of single-pixel
// direct runs with a full palette.
inline constexpr qsizetype kMaxHandsetPictureSize = 2 + 2 * 127 + 3 * (255 * 255 - 1) + 3 + 1 + 4;

// Raises a TarvexError naming the offset of the first fault: a bad format
// byte, a palette size of 0 or over 127, a record that is no run, a run past
// the pixel count, a palette index out of range, a missing closing record, a
// bad pad byte, a wrong trailer, or a file that ends early or is too long.
HandsetPictureData decodeHandsetPicture(const QByteArray& bytes);

// The decoded picture with its colours widened back to 8 bits (RGB32).
QImage toImage(const HandsetPictureData& picture);

// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

class QImage;

// A picture reduced to what the handset format needs: its size and one colour
// number per pixel (red in bits 0-7, green 8-15, blue 16-23), row by row from
// the top, each row left to right.
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> colors;
};

// Takes each pixel's 8-bit red, green and blue; alpha plays no part. A null
// image gives an empty picture.
PixelImage toPixelImage(const QImage& image);

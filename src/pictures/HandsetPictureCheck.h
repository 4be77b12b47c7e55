// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

// Reads a handset picture back, as a patch carries it, without decoding it
// into pixels: the format byte, the palette, run records covering every pixel
// but the last, the closing record, the pad byte and the trailer.
namespace handsetpicture {

// A byte of the picture by its offset, or nothing when it is not there.
using ByteAt = std::function<std::optional<std::uint8_t>(std::int64_t offset)>;

struct CheckResult {
    QString problem;         // empty when the picture is well formed
    std::int64_t length = 0; // the bytes read, the whole file when well formed
};

// Checks the picture against the width and height it must have.
CheckResult check(const ByteAt& byteAt, int width, int height);

// A picture found without knowing its size: the first closing record whose
// trailer names a width and height that the runs before it cover, confirmed
// by check(). Nothing when the bytes hold no whole picture. Each run record
// walked takes one from `budget` when given; nothing once it is spent.
struct Measured {
    int width = 0;
    int height = 0;
    std::int64_t length = 0;
};
std::optional<Measured> measure(const ByteAt& byteAt, std::int64_t* budget = nullptr);

} // namespace handsetpicture

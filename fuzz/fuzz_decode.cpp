// SPDX-License-Identifier: MIT
// Any bytes as a handset picture for `decode`: refused with a message, or
// decoded into exactly width x height pixels that convert and decode again
// to the same pixels.
#include "FuzzSupport.h"
#include "base/TarvexError.h"
#include "pictures/HandsetPicture.h"
#include "pictures/HandsetPictureDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    HandsetPictureData picture;
    try {
        picture = decodeHandsetPicture(fuzz::bytesOf(data, size));
    } catch (const TarvexError&) {
        return 0;
    }
    fuzz::check(picture.width >= 1 && picture.width <= 255 && picture.height >= 1 &&
                    picture.height <= 255,
                "decoded size outside 1 to 255");
    fuzz::check(picture.pixels.size() == std::size_t(picture.width) * std::size_t(picture.height),
                "decoded pixel count is not width x height");
    const HandsetPictureData again =
        decodeHandsetPicture(encodeHandsetPicture(toPixelImage(toImage(picture))));
    fuzz::check(again.pixels == picture.pixels, "a decoded pixel changed colour on a round trip");
    return 0;
}

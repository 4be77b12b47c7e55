// SPDX-License-Identifier: MIT
// A firmware file read into its image: whatever the text, the ranges come
// sorted, apart from one another, and written out and read back they are the
// same bytes.
#include "FuzzSupport.h"
#include "firmware/FirmwareApply.h"
#include "firmware/FirmwareImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path =
        fuzz::writeScratchFile(QStringLiteral("firmware.s3"), fuzz::bytesOf(data, size));
    Report report;
    const FirmwareImage image = firmwarefile::read({path, std::nullopt}, report);
    std::uint64_t end = 0;
    for (const FirmwareImage::Range& range : image.ranges()) {
        fuzz::check(!range.bytes.empty(), "an empty range");
        fuzz::check(range.start > end || (end == 0 && range.start == 0), "ranges out of order");
        end = range.end();
    }
    if (image.empty() || end > 0x80000000u) {
        return 0;
    }
    QByteArray text;
    firmwareapply::writeS3(image, [&](const char* bytes, qint64 n) { text.append(bytes, n); });
    Report again;
    const FirmwareImage back = firmwarefile::read(
        {fuzz::writeScratchFile(QStringLiteral("back.s3"), text), std::nullopt}, again);
    fuzz::check(again.errors() == 0, "the written records do not read back");
    fuzz::check(back.ranges().size() == image.ranges().size(), "the ranges changed");
    for (std::size_t i = 0; i < back.ranges().size(); ++i) {
        fuzz::check(back.ranges()[i].start == image.ranges()[i].start &&
                        back.ranges()[i].bytes == image.ranges()[i].bytes,
                    "the bytes changed");
    }
    return 0;
}

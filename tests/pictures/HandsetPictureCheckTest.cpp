// SPDX-License-Identifier: MIT
#include "pictures/HandsetPictureCheck.h"

#include "pictures/HandsetPicture.h"

#include <gtest/gtest.h>

namespace {

handsetpicture::CheckResult checkBytes(const QByteArray& bytes, int width, int height) {
    return handsetpicture::check(
        [&](std::int64_t offset) -> std::optional<std::uint8_t> {
            if (offset >= bytes.size()) {
                return std::nullopt;
            }
            return std::uint8_t(bytes[qsizetype(offset)]);
        },
        width, height);
}

PixelImage stripes(int width, int height) {
    PixelImage image{width, height, {}};
    for (int i = 0; i < width * height; ++i) {
        image.colors.push_back(i % 3 == 0 ? 0xFFFFFFu : std::uint32_t(i * 2654435761u));
    }
    return image;
}

} // namespace

TEST(HandsetPictureCheck, TakesWhatTheConverterWritesAndNothingElse) {
    for (const auto& [w, h] : {std::pair{1, 1}, {4, 2}, {128, 128}, {37, 5}}) {
        const QByteArray bytes = encodeHandsetPicture(stripes(w, h));
        const auto result = checkBytes(bytes, w, h);
        EXPECT_TRUE(result.problem.isEmpty())
            << w << "x" << h << ": " << result.problem.toStdString();
        EXPECT_EQ(result.length, bytes.size());
        EXPECT_FALSE(checkBytes(bytes, w, h + 1).problem.isEmpty());
        EXPECT_EQ(checkBytes(bytes.chopped(1), w, h).problem,
                  QStringLiteral("byte %1 of the picture is missing").arg(bytes.size() - 1));
    }
    // The worked example of the format, with its palette index past the palette.
    QByteArray example = QByteArray::fromHex("0903E0071F0000F8C302C201C20081E0070004000200");
    EXPECT_TRUE(checkBytes(example, 4, 2).problem.isEmpty());
    example[9] = 3;
    EXPECT_EQ(checkBytes(example, 4, 2).problem, "palette index 3 at byte 9 past the 3 colours");
    EXPECT_EQ(checkBytes(QByteArray::fromHex("0A"), 4, 2).problem,
              "the format byte at byte 0 is 10, not 9");
    EXPECT_EQ(checkBytes({}, 0, 2).problem, "a picture of 0 x 2 pixels has no pixels");
}

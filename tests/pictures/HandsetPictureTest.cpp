// SPDX-License-Identifier: MIT
#include "pictures/HandsetPicture.h"

#include "base/TarvexError.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QImage>
#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>

using testsupport::bytesFromHex;
using testsupport::readAll;
using testsupport::Scratch;

namespace {

// A colour number whose RGB565 value is `value`.
std::uint32_t colorOf(std::uint16_t value) {
    const std::uint32_t red = (value >> 11) << 3;
    const std::uint32_t green = ((value >> 5) & 0x3F) << 2;
    const std::uint32_t blue = (value & 0x1F) << 3;
    return red | green << 8 | blue << 16;
}

PixelImage pictureOf(int width, int height, const std::vector<std::uint16_t>& values) {
    PixelImage picture{width, height, {}};
    for (const std::uint16_t value : values) {
        picture.colors.push_back(colorOf(value));
    }
    return picture;
}

QByteArray le16(std::uint16_t value) {
    QByteArray bytes;
    bytes.append(char(value & 0xFF));
    bytes.append(char(value >> 8));
    return bytes;
}

// Reads a handset picture back into RGB565 values, failing the test on any
// record the format does not allow. Returns the values in pixel order.
std::vector<std::uint16_t> decode(const QByteArray& file, std::vector<std::uint16_t>* palette) {
    auto byte = [&](qsizetype at) { return std::uint8_t(file.at(at)); };
    auto word = [&](qsizetype at) { return std::uint16_t(byte(at) | byte(at + 1) << 8); };
    std::vector<std::uint16_t> pixels;
    EXPECT_EQ(file.size() % 2, 0);
    EXPECT_EQ(byte(0), 0x09);
    const int count = byte(1);
    EXPECT_GE(count, 1);
    EXPECT_LE(count, 127);
    for (int i = 0; i < count; ++i) {
        palette->push_back(word(2 + 2 * i));
    }
    const int width = byte(file.size() - 4);
    const int height = byte(file.size() - 2);
    EXPECT_EQ(byte(file.size() - 3), 0);
    EXPECT_EQ(byte(file.size() - 1), 0);
    const std::size_t total = std::size_t(width) * std::size_t(height);

    qsizetype at = 2 + 2 * count;
    while (pixels.size() + 1 < total) {
        const std::uint8_t head = byte(at);
        const int length = head & 0x3F;
        EXPECT_NE(length, 0) << "at " << at;
        if ((head & 0xC0) == 0xC0) {
            EXPECT_LT(byte(at + 1), count);
            pixels.insert(pixels.end(), std::size_t(length), (*palette)[byte(at + 1)]);
            at += 2;
        } else {
            EXPECT_EQ(head & 0xC0, 0x80) << "at " << at;
            const std::uint16_t value = word(at + 1);
            EXPECT_EQ(std::find(palette->begin(), palette->end(), value), palette->end())
                << "direct run of a palette colour at " << at;
            pixels.insert(pixels.end(), std::size_t(length), value);
            at += 3;
        }
        if (length == 0) {
            return pixels;
        }
    }
    EXPECT_EQ(pixels.size() + 1, total) << "a run goes past the last-but-one pixel";
    EXPECT_EQ(byte(at), 0x81);
    pixels.push_back(word(at + 1));
    at += 3;
    if (at % 2 != 0) {
        EXPECT_EQ(byte(at), 0);
        ++at;
    }
    EXPECT_EQ(at + 4, file.size());
    return pixels;
}

} // namespace

TEST(colorToRgb565, KeepsTheTopBitsOfEachChannel) {
    EXPECT_EQ(colorToRgb565(0xFFFFFF), 0xFFFF);
    EXPECT_EQ(colorToRgb565(0x0080FF), 0xFC00); // red 255, green 128, blue 0
    EXPECT_EQ(colorToRgb565(0x0000FF), 0xF800); // red is the low byte
    EXPECT_EQ(colorToRgb565(0x00FF00), 0x07E0);
    EXPECT_EQ(colorToRgb565(0xFF0000), 0x001F);
    EXPECT_EQ(colorToRgb565(0xFF000000), 0x0000); // the top byte is ignored
    EXPECT_EQ(colorToRgb565(0xAB123456), colorToRgb565(0x00123456));
    // Dropped, never rounded: 7 and 3 are below the first kept bit.
    EXPECT_EQ(colorToRgb565(0x070307), 0x0000);
    EXPECT_EQ(colorToRgb565(0x080408), 0x0821);
}

TEST(HandsetPicture, FourByTwoExample) {
    const PixelImage picture =
        pictureOf(4, 2, {0xF800, 0xF800, 0xF800, 0x001F, 0x001F, 0x07E0, 0x07E0, 0x07E0});
    EXPECT_EQ(encodeHandsetPicture(picture),
              bytesFromHex("0903 E0071F0000F8 C302 C201 C200 81E007 00 04000200"));
}

TEST(HandsetPicture, OneColourSquareOf128) {
    const PixelImage picture = pictureOf(128, 128, std::vector<std::uint16_t>(128 * 128, 0x1234));
    QByteArray expected = bytesFromHex("0901 3412");
    for (int i = 0; i < 260; ++i) {
        expected += bytesFromHex("FF00");
    }
    expected += bytesFromHex("C300 813412 00 80008000");
    ASSERT_EQ(expected.size(), 534);
    EXPECT_EQ(encodeHandsetPicture(picture), expected);
}

TEST(HandsetPicture, SinglePixel) {
    EXPECT_EQ(encodeHandsetPicture(pictureOf(1, 1, {0xABCD})),
              bytesFromHex("0901 CDAB 81CDAB 00 01000100"));
}

TEST(HandsetPicture, LastPixelAlwaysGetsTheClosingRecord) {
    // All three pixels are one palette colour: the run stops before the last.
    EXPECT_EQ(encodeHandsetPicture(pictureOf(3, 1, {7, 7, 7})),
              bytesFromHex("0901 0700 C200 810700 00 03000100"));
}

TEST(HandsetPicture, LongStretchesSplitIntoRunsOf63) {
    // 130 pixels of one value then another: 63 + 63 + 4, then the closing record.
    std::vector<std::uint16_t> values(130, 5);
    values.push_back(6);
    EXPECT_EQ(encodeHandsetPicture(pictureOf(131, 1, values)),
              bytesFromHex("0902 05000600 FF00 FF00 C400 810600 00 83000100"));

    // A stretch of exactly 63 followed by one more of the same value.
    std::vector<std::uint16_t> exact(64, 5);
    exact.push_back(6);
    EXPECT_EQ(encodeHandsetPicture(pictureOf(65, 1, exact)),
              bytesFromHex("0902 05000600 FF00 C100 810600 00 41000100"));
}

TEST(HandsetPicture, PaletteFollowsDecimalTextOrder) {
    // "2016" sorts before "31".
    EXPECT_EQ(encodeHandsetPicture(pictureOf(2, 1, {31, 2016})),
              bytesFromHex("0902 E0071F00 C101 81E007 00 02000100"));

    // "0" < "100" < "20" < "65535" < "9".
    const QByteArray file = encodeHandsetPicture(pictureOf(5, 1, {20, 9, 65535, 100, 0}));
    EXPECT_EQ(file.mid(0, 12), bytesFromHex("0905 0000 6400 1400 FFFF 0900"));
}

TEST(HandsetPicture, ColoursBeyond127BecomeDirectRuns) {
    // Values 0..127 then 0 again: in text order "99" is the 128th, so it alone
    // stays out of the palette. One direct run makes the length even: no pad.
    std::vector<std::uint16_t> values;
    for (std::uint16_t v = 0; v < 128; ++v) {
        values.push_back(v);
    }
    values.push_back(0);

    std::vector<std::string> texts;
    for (std::uint16_t v = 0; v < 128; ++v) {
        texts.push_back(std::to_string(v));
    }
    std::sort(texts.begin(), texts.end());
    ASSERT_EQ(texts.back(), "99");
    std::map<std::uint16_t, int> index;
    QByteArray expected = bytesFromHex("097F");
    for (int i = 0; i < 127; ++i) {
        const auto value = std::uint16_t(std::stoi(texts[std::size_t(i)]));
        index[value] = i;
        expected += le16(value);
    }
    for (std::uint16_t v = 0; v < 128; ++v) {
        if (v == 99) {
            expected += bytesFromHex("816300");
        } else {
            expected += char(0xC1);
            expected += char(index.at(v));
        }
    }
    expected += bytesFromHex("810000 81000100");

    const QByteArray file = encodeHandsetPicture(pictureOf(129, 1, values));
    EXPECT_EQ(file.size(), 520);
    EXPECT_EQ(file, expected);
}

TEST(HandsetPicture, RandomPicturesDecodeBackToTheirPixels) {
    std::mt19937 random(1234);
    struct Case {
        int width, height, colours;
    };
    for (const Case c : {Case{255, 255, 65536}, Case{255, 255, 300}, Case{100, 37, 5},
                         Case{17, 200, 127}, Case{2, 1, 2}}) {
        std::uniform_int_distribution<int> colour(0, c.colours - 1);
        std::uniform_int_distribution<int> stretch(1, 150);
        std::vector<std::uint16_t> values;
        const std::size_t total = std::size_t(c.width) * std::size_t(c.height);
        while (values.size() < total) {
            const auto value = std::uint16_t(colour(random) * (65536 / c.colours));
            values.insert(values.end(), std::size_t(c.colours > 1000 ? 1 : stretch(random)), value);
        }
        values.resize(total);

        const QByteArray file = encodeHandsetPicture(pictureOf(c.width, c.height, values));
        std::vector<std::uint16_t> palette;
        EXPECT_EQ(decode(file, &palette), values) << c.width << "x" << c.height;

        // The palette is the first 127 distinct values in text order.
        std::set<std::string> texts;
        for (const std::uint16_t v : values) {
            texts.insert(std::to_string(v));
        }
        std::vector<std::uint16_t> expected;
        for (auto it = texts.begin(); it != texts.end() && expected.size() < 127; ++it) {
            expected.push_back(std::uint16_t(std::stoi(*it)));
        }
        EXPECT_EQ(palette, expected) << c.width << "x" << c.height;
    }
}

TEST(HandsetPicture, TrailerTakesTheLowByteOfTheSize) {
    const QByteArray file =
        encodeHandsetPicture(pictureOf(300, 1, std::vector<std::uint16_t>(300)));
    EXPECT_EQ(file.right(4), bytesFromHex("2C000100"));
}

TEST(HandsetPicture, EmptyOrInconsistentPictures) {
    EXPECT_TRUE(encodeHandsetPicture(PixelImage{}).isEmpty());
    EXPECT_TRUE(encodeHandsetPicture(PixelImage{0, 5, {}}).isEmpty());
    EXPECT_THROW(encodeHandsetPicture(PixelImage{2, 2, {1, 2, 3}}), std::invalid_argument);
}

TEST(convertPicture, WritesTheFileAndReplacesOldContent) {
    Scratch scratch;
    const QString path = scratch.write("temp.09", QByteArray(5000, 'x'));
    const PixelImage picture = pictureOf(1, 1, {0xABCD});
    EXPECT_TRUE(convertPicture(picture, path));
    EXPECT_EQ(readAll(path), encodeHandsetPicture(picture));
}

TEST(convertPicture, ZeroWidthOrHeightWritesNothing) {
    Scratch scratch;
    const QString path = scratch.path("temp.09");
    EXPECT_FALSE(convertPicture(PixelImage{0, 10, {}}, path));
    EXPECT_FALSE(convertPicture(PixelImage{10, 0, {}}, path));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(convertPicture, UnwritablePathRaisesCannotCreate) {
    Scratch scratch;
    const QString path = scratch.path("missing/temp.09");
    try {
        convertPicture(pictureOf(1, 1, {1}), path);
        FAIL() << "no error";
    } catch (const TarvexError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Cannot create file %1").arg(path));
    }
}

TEST(PixelImage, TakesRedGreenAndBlueOfAnyFormat) {
    QImage argb(2, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(10, 20, 30, 0)); // colour kept even where fully transparent
    argb.setPixel(1, 0, qRgba(255, 128, 0, 255));
    PixelImage picture = toPixelImage(argb);
    EXPECT_EQ(picture.width, 2);
    EXPECT_EQ(picture.height, 1);
    EXPECT_EQ(picture.colors, (std::vector<std::uint32_t>{0x1E140A, 0x0080FF}));

    QImage indexed(1, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(200, 100, 50)});
    indexed.setPixel(0, 0, 1);
    indexed.setPixel(0, 1, 0);
    picture = toPixelImage(indexed);
    EXPECT_EQ(picture.colors, (std::vector<std::uint32_t>{0x3264C8, 0x030201}));

    // Rows come from the top; RGB888 goes through a conversion.
    QImage rgb(1, 2, QImage::Format_RGB888);
    rgb.setPixel(0, 0, qRgb(0, 0, 255));
    rgb.setPixel(0, 1, qRgb(255, 0, 0));
    EXPECT_EQ(toPixelImage(rgb).colors, (std::vector<std::uint32_t>{0xFF0000, 0x0000FF}));

    EXPECT_EQ(toPixelImage(QImage()).width, 0);
    EXPECT_TRUE(toPixelImage(QImage()).colors.empty());
}

// SPDX-License-Identifier: MIT
#include "base/TarvexError.h"
#include "pictures/HandsetPicture.h"
#include "pictures/HandsetPictureDecoder.h"
#include "pictures/JpegLoader.h"
#include "pictures/PictureFit.h"
#include "pictures/PictureLoader.h"
#include "support/TestSupport.h"

#include <QImage>
#include <cstdio>
#include <jerror.h>
#include <random>

using testsupport::bytesFromHex;
using testsupport::errorOf;
using testsupport::Scratch;

namespace {

QByteArray converted(const QImage& image) {
    return encodeHandsetPicture(toPixelImage(image));
}

// A picture with runs, a gradient and noise, so every record kind occurs.
QImage randomPicture(int width, int height, std::mt19937& random) {
    QImage image(width, height, QImage::Format_RGB32);
    const QRgb flat = random();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool run = (x / 7 + y) % 3 == 0;
            image.setPixel(x, y, run ? flat : qRgb(x, y, int(random() % 256)));
        }
    }
    return image;
}

// A 3 x 2 GIF: red, green, blue / (10,20,30), transparent, (200,100,50).
const char* const kGif =
    "47494638396103000200f200000a141eff0000c8643200ff000000ff000000000000000000"
    "21f90401000005002c000000000300020000030418435092003b";

// The worked example of the format: a 4 x 2 picture in 22 bytes.
const char* const kExample = "0903E0071F0000F8C302C201C20081E0070004000200";

} // namespace

TEST(PictureFormats, PngJpegAndGifConvertAsTheSamePixelsInABitmap) {
    Scratch scratch;
    std::mt19937 random(14);
    const QImage pixels = randomPicture(37, 23, random);
    const auto asBmp = [&](const QImage& image) {
        EXPECT_TRUE(image.save(scratch.path("same.bmp"), "BMP"));
        return converted(loadPicture(scratch.path("same.bmp")));
    };
    const QString png = scratch.path("p.png");
    ASSERT_TRUE(pixels.save(png, "PNG"));
    EXPECT_EQ(converted(loadPicture(png)), asBmp(pixels));
    // JPEG is lossy: the expectation is the JPEG's own decoded pixels.
    const QString jpeg = scratch.path("p.JPEG");
    ASSERT_TRUE(pixels.save(jpeg, "JPG"));
    EXPECT_EQ(converted(loadPicture(jpeg)), asBmp(loadJpeg(jpeg)));
    const QByteArray cut = testsupport::readAll(jpeg).chopped(200); // the preview shows it
    EXPECT_EQ(errorOf([&] { loadPicture(scratch.write("cut.jpg", cut)); }),
              QStringLiteral("JPEG error #%1").arg(JWRN_JPEG_EOF));

    QImage gif(3, 2, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(255, 0, 0),  qRgb(0, 255, 0),     qRgb(0, 0, 255),
                            qRgb(10, 20, 30), qRgb(255, 255, 255), qRgb(200, 100, 50)};
    for (int i = 0; i < 6; ++i) {
        gif.setPixel(i % 3, i / 3, colours[i]); // the transparent pixel over white
    }
    EXPECT_EQ(converted(loadPicture(scratch.write("g.gif", bytesFromHex(kGif)))), asBmp(gif));

    QImage alpha(2, 1, QImage::Format_ARGB32); // clear, and half-transparent over white
    alpha.setPixel(0, 0, qRgba(0, 0, 0, 0));
    alpha.setPixel(1, 0, qRgba(0, 100, 200, 128));
    ASSERT_TRUE(alpha.save(png, "PNG"));
    EXPECT_EQ(loadPicture(png).pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(loadPicture(png).pixel(1, 0), qRgb(127, 177, 227));

    // The suffix decides the format: a bitmap under a PNG name, or a PNG
    // under a JPEG name, is refused and named for what it holds.
    const QByteArray bmp = testsupport::readAll(scratch.path("same.bmp"));
    EXPECT_EQ(errorOf([&] { loadPicture(scratch.write("b.png", bmp)); }),
              "named .png but holds BMP data");
    EXPECT_EQ(errorOf([&] { loadPicture(scratch.write("p.jpg", testsupport::readAll(png))); }),
              "named .jpg but holds PNG data");
    EXPECT_EQ(errorOf([&] { loadPicture(scratch.write("t.gif", "GIF89a")); }),
              "GIF image is not valid");
}

TEST(PictureFormats, ConvertThenDecodeGivesTheRgb565Pixels) {
    std::mt19937 random(565);
    const QSize sizes[] = {{1, 1}, {1, 255}, {255, 1}, {255, 255}};
    for (int i = 0; i < 12; ++i) {
        const QSize size = i < 4 ? sizes[i] : QSize(1 + random() % 255, 1 + random() % 255);
        const QImage picture = randomPicture(size.width(), size.height(), random);
        const HandsetPictureData back = decodeHandsetPicture(converted(picture));
        std::vector<std::uint16_t> reduced;
        for (const std::uint32_t colour : toPixelImage(picture).colors) {
            reduced.push_back(colorToRgb565(colour));
        }
        ASSERT_EQ(QSize(back.width, back.height), size);
        EXPECT_EQ(back.pixels, reduced) << size.width() << "x" << size.height();
        EXPECT_EQ(toImage(back), inHandsetColours(picture));
    }
    EXPECT_EQ(rgb565ToRgb(0xFFFF), qRgb(255, 255, 255));
    EXPECT_EQ(rgb565ToRgb(0x8410), qRgb(132, 130, 132)); // top bits repeated below
}

TEST(PictureFormats, DecodeRefusesMalformedPicturesNamingTheOffset) {
    const QByteArray example = bytesFromHex(kExample);
    const auto error = [&](int at, const QByteArray& bytes, int cut = 0) {
        QByteArray damaged = example;
        damaged.replace(at, cut, bytes);
        return errorOf([&] { decodeHandsetPicture(damaged); })
            .remove("Not a valid handset picture: ");
    };
    EXPECT_EQ(error(0, "\x0A", 1), "bad format byte 0x0A (0x09 expected) at offset 0");
    EXPECT_EQ(error(1, QByteArray(1, '\0'), 1),
              "bad palette size 0 (1 to 127 expected) at offset 1");
    EXPECT_EQ(error(1, "\x80", 1), "bad palette size 128 (1 to 127 expected) at offset 1");
    EXPECT_EQ(
        error(12, "\xC4", 1),
        "a run of 4 pixels goes past the pixel count (7 before the closing record) at offset 12");
    EXPECT_EQ(error(9, "\x03", 1), "palette index 3 out of range (3 entries) at offset 9");
    EXPECT_EQ(error(10, "\x42", 1), "bad run record 0x42 at offset 10");
    EXPECT_EQ(error(14, "\x82", 1), "closing record expected (0x81), 0x82 found at offset 14");
    EXPECT_EQ(error(17, "\x01", 1), "bad pad byte (0x00 expected) at offset 17");
    EXPECT_EQ(error(19, "\x01", 1),
              "wrong trailer (width and height 1 to 255, each followed by 0x00, expected) at "
              "offset 18");
    EXPECT_EQ(error(18, QByteArray(2, '\0')),
              "wrong trailer (6 bytes after the records instead of 4) at offset 18");
    EXPECT_EQ(error(12, {}, 6), "the records end early at offset 12");
    EXPECT_EQ(errorOf([&] { decodeHandsetPicture(example.left(6)); }),
              "Not a valid handset picture: the file ends early at offset 6");
    EXPECT_TRUE(errorOf([&] {
                    decodeHandsetPicture(QByteArray(kMaxHandsetPictureSize + 1, 9));
                }).contains("longer than any picture"));

    // Damaged files never crash: each gives a picture or a message.
    std::mt19937 random(9);
    for (int i = 0; i < 3000; ++i) {
        QByteArray damaged = example;
        damaged[random() % damaged.size()] = char(random());
        damaged.truncate(damaged.size() - int(random() % 2) * int(random() % 8));
        try {
            const HandsetPictureData picture = decodeHandsetPicture(damaged);
            EXPECT_EQ(picture.pixels.size(), std::size_t(picture.width * picture.height));
        } catch (const TarvexError&) {
        }
    }
}

TEST(PictureFormats, FittingCoversTheSlotAndCropsAroundTheCentre) {
    // 640 x 480: a red band on the left, a blue one on the right, green between.
    QImage photo(640, 480, QImage::Format_RGB32);
    photo.fill(qRgb(0, 255, 0));
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 60; ++x) {
            photo.setPixel(x, y, qRgb(255, 0, 0));
            photo.setPixel(639 - x, y, qRgb(0, 0, 255));
        }
    }
    // To 171 x 128, 21 columns cut from each side: the bands' 16 are gone.
    const QImage square = picturefit::fitted(photo, 128, 128);
    ASSERT_EQ(square.size(), QSize(128, 128));
    EXPECT_EQ(square.pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(square.pixel(127, 127), qRgb(0, 255, 0));
    const QImage wide = picturefit::fitted(photo, 255, 2); // the bands stay at the edges
    EXPECT_EQ(wide.pixel(0, 1), qRgb(255, 0, 0));
    EXPECT_EQ(wide.pixel(254, 0), qRgb(0, 0, 255));
    EXPECT_TRUE(picturefit::fitted(photo, 0, 128).isNull());

    const QByteArray bmp = picturefit::bitmapBytes(square);
    EXPECT_EQ(bmp[28], 24); // bits per pixel
    EXPECT_EQ(QImage::fromData(bmp, "BMP").convertToFormat(QImage::Format_RGB32), square);
    EXPECT_EQ(picturefit::fittedName("my.photo.JPG"), "my.photo.bmp");
    EXPECT_EQ(picturefit::fittedName("scan"), "scan.bmp");
}

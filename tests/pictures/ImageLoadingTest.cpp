// SPDX-License-Identifier: MIT
#include "base/TarvexError.h"
#include "pictures/BitmapLoader.h"
#include "pictures/JpegLoader.h"
#include "pictures/PixelImage.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QImage>
#include <QRegularExpression>
#include <cstdio>
#include <functional>
#include <jerror.h>
#include <jpeglib.h>
#include <random>

using testsupport::errorOf;
using testsupport::Scratch;

namespace {

// A 6 x 4 picture of distinct colours, so that a mirrored or shifted row
// shows.
QImage sample() {
    QImage image(6, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            image.setPixel(x, y, qRgb(40 * x, 60 * y, 255 - 30 * x - 20 * y));
        }
    }
    return image;
}

QByteArray bmpOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "bmp"));
    return bytes;
}

void put16(QByteArray& b, int v) {
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& b, qint64 v) {
    put16(b, int(v & 0xFFFF));
    put16(b, int((v >> 16) & 0xFFFF));
}

// A bitmap written by hand, for the variants the image library does not
// write: file header, 40-byte info header, then `extra` (palette or masks)
// and the pixel data.
QByteArray handBmp(int width, int height, int bits, int compression, const QByteArray& extra,
                   const QByteArray& data, int colorsUsed = 0) {
    QByteArray b("BM");
    put32(b, 14 + 40 + extra.size() + data.size());
    put32(b, 0);
    put32(b, 14 + 40 + extra.size());
    put32(b, 40);
    put32(b, width);
    put32(b, height);
    put16(b, 1);
    put16(b, bits);
    put32(b, compression);
    put32(b, compression == 1 ? data.size() : 0);
    put32(b, 2835);
    put32(b, 2835);
    put32(b, colorsUsed);
    put32(b, 0);
    return b + extra + data;
}

struct RawImage {
    int width = 0;
    int height = 0;
    int components = 3;
    J_COLOR_SPACE space = JCS_RGB;
    std::vector<unsigned char> samples;
};

// Compresses with the same library the loader uses, so the test needs no
// image plugin.
QByteArray encodeJpeg(const RawImage& raw, bool progressive = false) {
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(raw.width);
    info.image_height = JDIMENSION(raw.height);
    info.input_components = raw.components;
    info.in_color_space = raw.space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    if (progressive) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(raw.samples.data()) +
                       std::size_t(info.next_scanline) * std::size_t(raw.width * raw.components);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

// 16 x 16 in four flat 8 x 8 blocks, which survive compression almost exactly.
RawImage blocks(int components, J_COLOR_SPACE space) {
    RawImage raw{16, 16, components, space, {}};
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int block = (y / 8) * 2 + x / 8;
            for (int c = 0; c < components; ++c) {
                raw.samples.push_back(static_cast<unsigned char>((block * 60 + c * 90 + 20) % 256));
            }
        }
    }
    return raw;
}

void expectNear(QRgb actual, QRgb expected, const char* where) {
    EXPECT_NEAR(qRed(actual), qRed(expected), 6) << where;
    EXPECT_NEAR(qGreen(actual), qGreen(expected), 6) << where;
    EXPECT_NEAR(qBlue(actual), qBlue(expected), 6) << where;
}

const QString kInvalidBitmap = QStringLiteral("Bitmap image is not valid");

} // namespace

TEST(LoadBitmap, ReadsTheFormatsTheImageLibraryWrites) {
    Scratch scratch;
    const QImage original = sample();
    const PixelImage expected = toPixelImage(original);

    // 24-bit (what a 32-bit image is saved as) and 8-bit palette.
    for (const QImage& image :
         {original, original.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither)}) {
        const QString path = scratch.write("picture.bmp", bmpOf(image));
        EXPECT_EQ(toPixelImage(loadBitmap(path)).colors, toPixelImage(image).colors);
    }
    const QString path = scratch.write("picture.bmp", bmpOf(original));
    const PixelImage loaded = toPixelImage(loadBitmap(path));
    EXPECT_EQ(loaded.width, 6);
    EXPECT_EQ(loaded.height, 4);
    EXPECT_EQ(loaded.colors, expected.colors);

    QImage mono(9, 2, QImage::Format_Mono);
    mono.fill(0);
    mono.setPixel(8, 1, 1);
    const QImage monoLoaded =
        loadBitmap(scratch.write("mono.bmp", bmpOf(mono))).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(monoLoaded.pixel(8, 1), mono.convertToFormat(QImage::Format_RGB32).pixel(8, 1));
    EXPECT_NE(monoLoaded.pixel(8, 1), monoLoaded.pixel(0, 0));
}

TEST(LoadBitmap, ReadsHandWrittenVariants) {
    Scratch scratch;

    // 32-bit, bottom-up: the first stored row is the bottom one.
    QByteArray rows;
    put32(rows, 0x00112233); // bottom row: blue 0x33, green 0x22, red 0x11
    put32(rows, 0x00445566);
    put32(rows, 0x00AABBCC); // top row
    put32(rows, 0x00DDEEFF);
    QImage image = loadBitmap(scratch.write("32.bmp", handBmp(2, 2, 32, 0, {}, rows)));
    EXPECT_EQ(toPixelImage(image).colors,
              (std::vector<std::uint32_t>{0xCCBBAA, 0xFFEEDD, 0x332211, 0x665544}));

    // 24-bit top-down (negative height), rows padded to four bytes.
    const QByteArray topDown = testsupport::bytesFromHex("0000FF 00 00FF00 00");
    image = loadBitmap(scratch.write("td.bmp", handBmp(1, -2, 24, 0, {}, topDown)));
    EXPECT_EQ(toPixelImage(image).colors, (std::vector<std::uint32_t>{0x0000FF, 0x00FF00}));

    // 16-bit with RGB565 masks; the reader widens 5 bits to 8 by shifting.
    QByteArray masks;
    put32(masks, 0xF800);
    put32(masks, 0x07E0);
    put32(masks, 0x001F);
    QByteArray pixels;
    put16(pixels, 0xF800);
    put16(pixels, 0x001F);
    image = loadBitmap(scratch.write("16.bmp", handBmp(2, 1, 16, 3, masks, pixels)));
    EXPECT_EQ(toPixelImage(image).colors, (std::vector<std::uint32_t>{0x0000F8, 0xF80000}));

    // 8-bit run-length coded: a run of three of colour 1, an end of line, a
    // run of three of colour 0, the end of the bitmap.
    QByteArray palette;
    put32(palette, 0x00000000);
    put32(palette, 0x0000FF00); // green
    const QByteArray rle = testsupport::bytesFromHex("0301 0000 0300 0001");
    image = loadBitmap(scratch.write("rle.bmp", handBmp(3, 2, 8, 1, palette, rle, 2)));
    EXPECT_EQ(toPixelImage(image).colors,
              (std::vector<std::uint32_t>{0, 0, 0, 0x00FF00, 0x00FF00, 0x00FF00}));
}

TEST(LoadBitmap, MissingAndInvalidFiles) {
    Scratch scratch;
    const QString missing = scratch.path("none.bmp");
    EXPECT_EQ(errorOf([&] { loadBitmap(missing); }),
              QStringLiteral("Cannot open file %1").arg(missing));
    EXPECT_EQ(errorOf([&] { loadBitmap(scratch.path()); }),
              QStringLiteral("Cannot open file %1").arg(scratch.path()));

    EXPECT_EQ(errorOf([&] { loadBitmap(scratch.write("empty.bmp", {})); }), kInvalidBitmap);
    EXPECT_EQ(errorOf([&] { loadBitmap(scratch.write("text.bmp", "not a picture at all")); }),
              kInvalidBitmap);
    EXPECT_EQ(errorOf([&] {
                  loadBitmap(scratch.write("bm.bmp", QByteArray("BM") + QByteArray(60, '\xFF')));
              }),
              kInvalidBitmap);

    // Another image format under a bitmap's name is not a bitmap.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(sample().save(&buffer, "png"));
    EXPECT_EQ(errorOf([&] { loadBitmap(scratch.write("png.bmp", png)); }), kInvalidBitmap);
}

TEST(LoadBitmap, TruncatedFilesAreRefused) {
    Scratch scratch;
    const QByteArray whole = bmpOf(sample()); // 24-bit, rows of 18 + 2 padding bytes
    ASSERT_EQ(whole.size(), 54 + 4 * 20);

    for (qsizetype length = 0; length < whole.size(); ++length) {
        const QString path = scratch.write("cut.bmp", whole.left(length));
        EXPECT_EQ(errorOf([&] { loadBitmap(path); }), kInvalidBitmap) << length;
    }

    // A run-length bitmap shorter than its header says.
    QByteArray palette;
    put32(palette, 0);
    put32(palette, 0x00FF00);
    const QByteArray rle =
        handBmp(3, 2, 8, 1, palette, testsupport::bytesFromHex("0301 0000 0300 0001"), 2);
    EXPECT_EQ(errorOf([&] { loadBitmap(scratch.write("rle.bmp", rle.left(rle.size() - 4))); }),
              kInvalidBitmap);
}

TEST(LoadBitmap, DamagedFilesNeverCrash) {
    Scratch scratch;
    const QByteArray whole =
        bmpOf(sample().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither));
    std::mt19937 random(99);
    std::uniform_int_distribution<qsizetype> position(0, whole.size() - 1);
    std::uniform_int_distribution<int> value(0, 255);
    for (int round = 0; round < 300; ++round) {
        QByteArray damaged = whole;
        for (int i = 0; i < 1 + round % 8; ++i) {
            damaged[position(random)] = char(value(random));
        }
        const QString path = scratch.write("damaged.bmp", damaged);
        try {
            const QImage image = loadBitmap(path);
            EXPECT_FALSE(image.isNull());
        } catch (const TarvexError& error) {
            EXPECT_EQ(error.message(), kInvalidBitmap);
        }
    }
}

TEST(LoadJpeg, DecodesColourGreyAndCmykToRgb) {
    Scratch scratch;
    struct Case {
        const char* name;
        int components;
        J_COLOR_SPACE space;
        bool progressive;
    };
    for (const Case c : {Case{"colour", 3, JCS_RGB, false}, Case{"progressive", 3, JCS_RGB, true},
                         Case{"grey", 1, JCS_GRAYSCALE, false}, Case{"cmyk", 4, JCS_CMYK, false}}) {
        const RawImage raw = blocks(c.components, c.space);
        const QString path =
            scratch.write(QString::fromLatin1(c.name) + ".jpg", encodeJpeg(raw, c.progressive));
        const QImage image = loadJpeg(path);
        ASSERT_EQ(image.width(), 16) << c.name;
        ASSERT_EQ(image.height(), 16) << c.name;
        for (int y = 3; y < 16; y += 8) {
            for (int x = 3; x < 16; x += 8) {
                const unsigned char* s =
                    raw.samples.data() + std::size_t((y * 16 + x) * c.components);
                QRgb expected = 0;
                if (c.components == 1) {
                    expected = qRgb(s[0], s[0], s[0]);
                } else if (c.components == 3) {
                    expected = qRgb(s[0], s[1], s[2]);
                } else {
                    expected = qRgb(s[0] * s[3] / 255, s[1] * s[3] / 255, s[2] * s[3] / 255);
                }
                expectNear(image.pixel(x, y), expected, c.name);
            }
        }
    }
}

TEST(LoadJpeg, MissingGarbageAndTruncatedFiles) {
    Scratch scratch;
    const QString missing = scratch.path("none.jpg");
    EXPECT_EQ(errorOf([&] { loadJpeg(missing); }),
              QStringLiteral("Cannot open file %1").arg(missing));

    const auto code = [](int c) { return QStringLiteral("JPEG error #%1").arg(c); };
    EXPECT_EQ(errorOf([&] { loadJpeg(scratch.write("empty.jpg", {})); }), code(JERR_INPUT_EMPTY));
    EXPECT_EQ(errorOf([&] { loadJpeg(scratch.write("text.jpg", "definitely not a JPEG")); }),
              code(JERR_NO_SOI));

    const QByteArray whole = encodeJpeg(blocks(3, JCS_RGB));
    const QRegularExpression jpegError(QStringLiteral("^JPEG error #\\d+$"));
    EXPECT_TRUE(
        jpegError.match(errorOf([&] { loadJpeg(scratch.write("head.jpg", whole.left(30))); }))
            .hasMatch());

    // Cut inside the picture data the decoder only warns: the picture comes
    // back whole in size.
    const QImage cut = loadJpeg(scratch.write("cut.jpg", whole.left(whole.size() - 40)));
    EXPECT_EQ(cut.size(), QSize(16, 16));

    // A header claiming an enormous picture is refused before any memory is
    // taken for it.
    QByteArray huge = whole;
    const qsizetype frame = huge.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(frame, 0);
    huge[frame + 5] = char(0xEA); // height 60000
    huge[frame + 6] = char(0x60);
    huge[frame + 7] = char(0xEA); // width 60000
    huge[frame + 8] = char(0x60);
    EXPECT_EQ(errorOf([&] { loadJpeg(scratch.write("huge.jpg", huge)); }),
              code(JERR_IMAGE_TOO_BIG));
    // So is one of 16 million pixels: a preview never needs that many.
    huge[frame + 5] = char(0x10); // height 4096
    huge[frame + 6] = char(0x00);
    huge[frame + 7] = char(0x10); // width 4096
    huge[frame + 8] = char(0x00);
    EXPECT_EQ(errorOf([&] { loadJpeg(scratch.write("huge.jpg", huge)); }),
              code(JERR_IMAGE_TOO_BIG));
}

TEST(LoadJpeg, DamagedFilesNeverCrash) {
    Scratch scratch;
    const QByteArray whole = encodeJpeg(blocks(3, JCS_RGB), true);
    const QRegularExpression jpegError(QStringLiteral("^JPEG error #\\d+$"));
    std::mt19937 random(7);
    std::uniform_int_distribution<qsizetype> position(0, whole.size() - 1);
    std::uniform_int_distribution<int> value(0, 255);
    int failures = 0;
    for (int round = 0; round < 300; ++round) {
        QByteArray damaged = round % 3 == 0 ? whole.left(position(random)) : whole;
        for (int i = 0; i < 1 + round % 5 && !damaged.isEmpty(); ++i) {
            damaged[position(random) % damaged.size()] = char(value(random));
        }
        const QString path = scratch.write("damaged.jpg", damaged);
        try {
            loadJpeg(path);
        } catch (const TarvexError& error) {
            EXPECT_TRUE(jpegError.match(error.message()).hasMatch())
                << error.message().toStdString();
            ++failures;
        }
    }
    EXPECT_GT(failures, 0); // the damage did reach the error path
}

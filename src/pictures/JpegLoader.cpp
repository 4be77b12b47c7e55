// SPDX-License-Identifier: MIT
#include "pictures/JpegLoader.h"

#include "base/TarvexError.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QFile>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <cstring>
#include <jerror.h>
#include <jpeglib.h>
#include <vector>

namespace {

// The decoder reports a fatal error by calling error_exit, which must not
// return. It jumps back to the setjmp of the step that called the decoder;
// a C++ exception thrown through the decoder's C frames would be undefined.
// So every function below that calls setjmp holds only trivially destructible
// locals, and the owning C++ objects live in loadJpeg, outside the jump.
struct ErrorManager {
    jpeg_error_mgr base; // first, so that the decoder's pointer converts back
    std::jmp_buf jump;
    int code;
    bool cutShort; // the data ended before the last row
};

struct Decoder {
    jpeg_decompress_struct info;
    ErrorManager error;
    bool created;
};

extern "C" void exitWithCode(j_common_ptr info) {
    auto* error = reinterpret_cast<ErrorManager*>(info->err);
    error->code = error->base.msg_code;
    std::longjmp(error->jump, 1);
}

// Warnings (a file cut short, for one) are not printed on stderr, only noted.
extern "C" void ignoreMessage(j_common_ptr) {}
extern "C" void noteMessage(j_common_ptr info, int level) {
    auto* error = reinterpret_cast<ErrorManager*>(info->err);
    if (level < 0 && error->base.msg_code == JWRN_JPEG_EOF) {
        error->cutShort = true;
    }
}

// Refuses pictures whose pixels would need more memory than a preview ever
// should, instead of letting a damaged header ask for gigabytes: previews are
// shown at 128 x 128, and a few hundred bytes claiming 60 million pixels kept
// the decoder busy for seconds. 2048 x 2048 is far more than any preview needs.
constexpr qint64 kMaxPixelBytes = qint64(2048) * 2048 * 4;

enum class Layout { Rgb, Gray, Cmyk };

// Reads the header and starts decompression; false on a decoder error, the
// code then in decoder.error.code.
bool start(Decoder& decoder, const unsigned char* data, unsigned long size, Layout& layout) {
    decoder.info.err = jpeg_std_error(&decoder.error.base);
    decoder.error.base.error_exit = exitWithCode;
    decoder.error.base.output_message = ignoreMessage;
    decoder.error.base.emit_message = noteMessage;
    decoder.error.code = 0;
    if (setjmp(decoder.error.jump) != 0) {
        return false;
    }
    jpeg_create_decompress(&decoder.info);
    decoder.created = true;
    jpeg_mem_src(&decoder.info, data, size);
    jpeg_read_header(&decoder.info, TRUE);
    if (qint64(decoder.info.image_width) * decoder.info.image_height * 4 > kMaxPixelBytes) {
        ERREXIT(&decoder.info, JERR_IMAGE_TOO_BIG);
    }

    switch (decoder.info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        decoder.info.out_color_space = JCS_GRAYSCALE;
        layout = Layout::Gray;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        decoder.info.out_color_space = JCS_CMYK;
        layout = Layout::Cmyk;
        break;
    default:
        decoder.info.out_color_space = JCS_RGB;
        layout = Layout::Rgb;
        break;
    }
    jpeg_start_decompress(&decoder.info);
    return true;
}

// Decodes every row into an RGB888 buffer. Grey rows are decoded in place and
// widened from the right; CMYK rows go through rowBuffer.
bool readRows(Decoder& decoder, Layout layout, unsigned char* pixels, qsizetype stride,
              unsigned char* rowBuffer) {
    if (setjmp(decoder.error.jump) != 0) {
        return false;
    }
    const JDIMENSION width = decoder.info.output_width;
    while (decoder.info.output_scanline < decoder.info.output_height) {
        unsigned char* row = pixels + stride * decoder.info.output_scanline;
        JSAMPROW target = layout == Layout::Cmyk ? rowBuffer : row;
        if (jpeg_read_scanlines(&decoder.info, &target, 1) != 1) {
            break; // only a suspending source does this; the memory source never suspends
        }
        if (layout == Layout::Gray) {
            for (JDIMENSION x = width; x-- > 0;) {
                row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = row[x];
            }
        } else if (layout == Layout::Cmyk) {
            // Stored inverted, as the common writers of CMYK JPEG files do.
            for (JDIMENSION x = 0; x < width; ++x) {
                const unsigned k = rowBuffer[4 * x + 3];
                for (int c = 0; c < 3; ++c) {
                    row[3 * x + c] = static_cast<unsigned char>(rowBuffer[4 * x + c] * k / 255);
                }
            }
        }
    }
    jpeg_finish_decompress(&decoder.info);
    return true;
}

} // namespace

TarvexError jpegError(int code) {
    const char* text = QT_TRANSLATE_NOOP("TarvexError", "JPEG error #%1");
    return TarvexError(QCoreApplication::translate("TarvexError", text).arg(code),
                       QString::fromLatin1(text).arg(code), {});
}

QImage loadJpeg(const QString& path, JpegEnd end) {
    QFile file;
    QString reason;
    if (!fileops::openRegular(file, path, &reason)) {
        throw errors::cannotOpenFile(path, reason);
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw errors::cannotOpenFile(path, file.errorString());
    }
    file.close();

    Decoder decoder;
    std::memset(&decoder, 0, sizeof decoder);
    struct Release {
        Decoder& decoder;
        ~Release() {
            if (decoder.created) {
                jpeg_destroy_decompress(&decoder.info);
            }
        }
    } release{decoder};

    Layout layout = Layout::Rgb;
    if (!start(decoder, reinterpret_cast<const unsigned char*>(bytes.constData()),
               static_cast<unsigned long>(bytes.size()), layout)) {
        throw jpegError(decoder.error.code);
    }

    const qint64 width = decoder.info.output_width;
    const qint64 height = decoder.info.output_height;
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB888);
    if (image.isNull()) {
        throw jpegError(JERR_OUT_OF_MEMORY);
    }
    std::vector<unsigned char> rowBuffer(layout == Layout::Cmyk ? std::size_t(4 * width) : 0);

    if (!readRows(decoder, layout, image.bits(), image.bytesPerLine(), rowBuffer.data())) {
        throw jpegError(decoder.error.code);
    }
    if (end == JpegEnd::WholeOnly && decoder.error.cutShort) {
        throw jpegError(JWRN_JPEG_EOF);
    }
    return image;
}

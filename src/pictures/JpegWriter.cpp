// SPDX-License-Identifier: MIT
#include "pictures/JpegWriter.h"

#include "base/TarvexError.h"
#include "pictures/JpegLoader.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace {

// As in the loader: the encoder's fatal errors jump back to the setjmp, so the
// function that calls it holds only trivially destructible locals.
struct Encoder {
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    std::jmp_buf jump;
    int code;
    unsigned char* out;
    unsigned long size;
};

extern "C" void exitToEncoder(j_common_ptr info) {
    auto* encoder = reinterpret_cast<Encoder*>(info->client_data);
    encoder->code = encoder->error.msg_code;
    std::longjmp(encoder->jump, 1);
}

// Returns false on an encoder error; encoder.out then may hold a buffer to free.
bool encode(Encoder& encoder, const unsigned char* rgb, int width, int height) {
    encoder.info.err = jpeg_std_error(&encoder.error);
    encoder.error.error_exit = exitToEncoder;
    encoder.info.client_data = &encoder;
    if (setjmp(encoder.jump) != 0) {
        jpeg_destroy_compress(&encoder.info);
        return false;
    }
    jpeg_create_compress(&encoder.info);
    jpeg_mem_dest(&encoder.info, &encoder.out, &encoder.size);
    encoder.info.image_width = JDIMENSION(width);
    encoder.info.image_height = JDIMENSION(height);
    encoder.info.input_components = 3;
    encoder.info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&encoder.info);
    jpeg_set_quality(&encoder.info, 90, TRUE);
    jpeg_start_compress(&encoder.info, TRUE);
    while (encoder.info.next_scanline < encoder.info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(rgb) +
                       std::size_t(encoder.info.next_scanline) * std::size_t(width) * 3;
        jpeg_write_scanlines(&encoder.info, &row, 1);
    }
    jpeg_finish_compress(&encoder.info);
    jpeg_destroy_compress(&encoder.info);
    return true;
}

} // namespace

QByteArray encodeJpeg(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    std::vector<unsigned char> pixels(std::size_t(rgb.width()) * std::size_t(rgb.height()) * 3);
    for (int y = 0; y < rgb.height(); ++y) {
        std::copy_n(rgb.constScanLine(y), std::size_t(rgb.width()) * 3,
                    pixels.begin() + std::ptrdiff_t(std::size_t(y) * std::size_t(rgb.width()) * 3));
    }
    Encoder encoder{};
    const bool done = encode(encoder, pixels.data(), rgb.width(), rgb.height());
    QByteArray bytes;
    if (done) {
        bytes = QByteArray(reinterpret_cast<const char*>(encoder.out), qsizetype(encoder.size));
    }
    std::free(encoder.out);
    if (!done) {
        throw jpegError(encoder.code);
    }
    return bytes;
}

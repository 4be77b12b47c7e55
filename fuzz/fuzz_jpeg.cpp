// Any bytes as a standard picture's JPEG preview.
#include "FuzzSupport.h"
#include "base/TarvexError.h"
#include "pictures/JpegLoader.h"

#include <QImage>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = fuzz::writeScratchFile(QStringLiteral("1.jpg"), fuzz::bytesOf(data, size));
    try {
        const QImage image = loadJpeg(path);
        fuzz::check(!image.isNull() && image.width() > 0 && image.height() > 0,
                    "a preview decoded into an empty picture");
        fuzz::check(qint64(image.width()) * image.height() * 4 <= qint64(2048) * 2048 * 4,
                    "a preview past the memory bound");
    } catch (const TarvexError&) {
    }
    return 0;
}

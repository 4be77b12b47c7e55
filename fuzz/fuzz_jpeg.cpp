// Any bytes as a standard picture's JPEG preview, shown as far as it goes
// and refused unless whole.
#include "FuzzSupport.h"
#include "base/TarvexError.h"
#include "pictures/JpegLoader.h"

#include <QImage>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = fuzz::writeScratchFile(QStringLiteral("1.jpg"), fuzz::bytesOf(data, size));
    QImage shown;
    try {
        shown = loadJpeg(path);
        fuzz::check(!shown.isNull() && shown.width() > 0 && shown.height() > 0,
                    "a preview decoded into an empty picture");
        fuzz::check(qint64(shown.width()) * shown.height() * 4 <= qint64(2048) * 2048 * 4,
                    "a preview past the memory bound");
    } catch (const TarvexError&) {
    }
    try {
        const QImage whole = loadJpeg(path, JpegEnd::WholeOnly);
        // Whatever decodes whole decodes the same when cut-short files are shown.
        fuzz::check(whole == shown, "a whole preview decoded two ways");
    } catch (const TarvexError&) {
    }
    return 0;
}

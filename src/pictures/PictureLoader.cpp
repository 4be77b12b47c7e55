// SPDX-License-Identifier: MIT
#include "pictures/PictureLoader.h"

#include "base/TarvexError.h"
#include "content/ContentFile.h"
#include "pictures/BitmapLoader.h"
#include "pictures/JpegLoader.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

QImage readWithLibrary(const QString& path, const char* format, const QString& kind) {
    QFile file;
    if (!fileops::openRegular(file, path)) {
        throw errors::cannotOpenFile(path);
    }
    QImageReader reader(&file, format);
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull()) {
        throw TarvexError(QCoreApplication::translate("Report", "%1 image is not valid").arg(kind));
    }
    return image;
}

// (c * a + 255 * (255 - a)) / 255, rounded: exact for opaque and clear pixels.
int overWhite(int channel, int alpha) {
    return (channel * alpha + 255 * (255 - alpha) + 127) / 255;
}

} // namespace

QImage composedOverWhite(const QImage& image) {
    if (image.isNull() || !image.hasAlphaChannel()) {
        return image.convertToFormat(QImage::Format_RGB32);
    }
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QImage opaque(source.size(), QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(opaque.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const int alpha = qAlpha(in[x]);
            out[x] = qRgb(overWhite(qRed(in[x]), alpha), overWhite(qGreen(in[x]), alpha),
                          overWhite(qBlue(in[x]), alpha));
        }
    }
    return opaque;
}

QImage loadPicture(const QString& path) {
    // A picture of another format than its suffix says is still refused, but
    // named for what it holds rather than with the wrong decoder's error.
    const content::ContentInfo held = content::describeFile(path);
    if (content::isPicture(held.kind) && content::suffixLies(path, held.kind)) {
        throw TarvexError(held.problems.value(0));
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        return composedOverWhite(readWithLibrary(path, "png", QStringLiteral("PNG")));
    }
    if (suffix == QLatin1String("gif")) {
        return composedOverWhite(readWithLibrary(path, "gif", QStringLiteral("GIF")));
    }
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        return loadJpeg(path, JpegEnd::WholeOnly);
    }
    return loadBitmap(path);
}

// SPDX-License-Identifier: MIT
#include "pictures/PictureFit.h"

#include <QBuffer>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace picturefit {

QImage fitted(const QImage& picture, int width, int height) {
    if (width < 1 || height < 1 || picture.isNull()) {
        return {};
    }
    // The larger of the two ratios makes both sides at least the target's;
    // rounding could leave one a pixel short, so each is held at the target.
    const double scale =
        std::max(double(width) / picture.width(), double(height) / picture.height());
    const int scaledWidth = std::max(width, int(std::lround(picture.width() * scale)));
    const int scaledHeight = std::max(height, int(std::lround(picture.height() * scale)));
    // Alpha is dropped first (it plays no part in the handset colours) so
    // that scaling never blends a hidden pixel's colour into its neighbours.
    const QImage scaled =
        picture.convertToFormat(QImage::Format_RGB32)
            .scaled(scaledWidth, scaledHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return scaled.copy((scaledWidth - width) / 2, (scaledHeight - height) / 2, width, height);
}

QByteArray bitmapBytes(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // An RGB32 image is written as 24 bits per pixel.
    picture.convertToFormat(QImage::Format_RGB32).save(&buffer, "bmp");
    return bytes;
}

QString fittedName(const QString& bareName) {
    return QFileInfo(bareName).completeBaseName() + QStringLiteral(".bmp");
}

} // namespace picturefit

// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>

// Reads a picture the user chose, by its suffix: ".png" and ".gif" (the first
// frame) through the image library, ".jpg" and ".jpeg" through the JPEG
// decoder (a file cut short refused), anything else as a Windows bitmap exactly as loadBitmap does.
// A file whose content is another format than its suffix says is refused. PNG and GIF pictures come
// back opaque, their transparent pixels composed over white, since the handset has no transparency
// and a hidden pixel's stored colour is often black. Raises "Cannot open file %s", or the format's
// own "... is not valid" error.
QImage loadPicture(const QString& path);

// The picture with every pixel composed over white by its alpha, as RGB32.
QImage composedOverWhite(const QImage& image);

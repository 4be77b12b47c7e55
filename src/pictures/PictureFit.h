// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Fitting a picture of another size to a slot on the user's request.
namespace picturefit {

// Scaled smoothly, keeping its proportions, until it covers width x height,
// then cropped to that size around its centre. Opaque (RGB32); a null image
// for a width or height below 1.
QImage fitted(const QImage& picture, int width, int height);

// The picture as a 24-bit Windows bitmap file.
QByteArray bitmapBytes(const QImage& picture);

// The name a fitted picture is kept under: the chosen file's bare name with
// ".bmp" as its extension ("photo.png" -> "photo.bmp", "scan" -> "scan.bmp").
QString fittedName(const QString& bareName);

} // namespace picturefit

// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>

// Reads a Windows bitmap (.bmp) file in any variant the image library reads.
// Raises "Cannot open file %s" when the file cannot be opened and
// "Bitmap image is not valid" when it holds no readable bitmap.
QImage loadBitmap(const QString& path);

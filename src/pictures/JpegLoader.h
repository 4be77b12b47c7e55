#pragma once

#include <QImage>
#include <QString>

// Decodes a JPEG file (baseline or progressive; greyscale, colour or CMYK)
// into an RGB picture. Raises "Cannot open file %s" when the file cannot be
// read and "JPEG error #%d", with the decoder's message code, when it cannot be
// decoded. A file cut short is shown as far as it goes, the rest grey, as the
// decoder only warns about it.
QImage loadJpeg(const QString& path);

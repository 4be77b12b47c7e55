#pragma once

#include <QByteArray>
#include <QImage>

// The picture as a baseline JPEG file (quality 90), as the data sets' previews
// are kept. Raises "JPEG error #%d" with the encoder's message code.
QByteArray encodeJpeg(const QImage& image);

// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>

class TarvexError;

// Decodes a JPEG file (baseline or progressive; greyscale, colour or CMYK)
// into an RGB picture. Raises "Cannot open file %s" when the file cannot be
// read and "JPEG error #%d", with the decoder's message code, when it cannot be
// decoded. A file cut short is shown as far as it goes, the rest grey, as the
// decoder only warns about it; with JpegEnd::WholeOnly it is refused with the
// code of that warning instead, so that a damaged photo never becomes a
// half-grey handset picture.
enum class JpegEnd { ShowCutShort, WholeOnly };
QImage loadJpeg(const QString& path, JpegEnd end = JpegEnd::ShowCutShort);

// "JPEG error #%d" with the library's message code, translated, keeping the
// English wording for the window's error box.
TarvexError jpegError(int code);

// SPDX-License-Identifier: MIT
#pragma once

#include "content/ContentInfo.h"

#include <QHash>

// A game's two files. Linear in the bytes.
namespace content {

// A JAD: text of attributes, MIDlet-Jar-Size among them.
void readJad(QByteArrayView bytes, ContentInfo& info);
// Why a JAD of `size` bytes, over kLongestJad, is not read.
QString jadTooLong(qint64 size);
// Whether the bytes look like a JAD: text (up to a NUL) with a MIDlet or
// MicroEdition attribute.
bool looksLikeJad(QByteArrayView bytes);
// A JAR: a ZIP archive from its first local header, its manifest read.
void readJar(QByteArrayView bytes, ContentInfo& info);

// The bytes from the first local header to the end of the first end record
// whose central directory ends right before it; -1 when there is none.
qsizetype zipExtent(QByteArrayView bytes);

} // namespace content

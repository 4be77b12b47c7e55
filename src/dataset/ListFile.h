#pragma once

#include "base/TextLines.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The ".lst" format of the data sets: 8-bit text in code page 1251, one value
// per line. Lines end at CR, LF or CR LF; a NUL ends the text; a last line
// without terminator counts. Written with CR LF after every line.
namespace listfile {

using textlines::decode;
using textlines::encode; // CR LF after every line
using textlines::splitLines;

// Longer than any line of a list (a name, a file name, a number): a longer
// line keeps only this many characters, so that reading a list never takes
// more memory than twice its size.
inline constexpr qsizetype kLongestLine = 64 * 1024;

// Raises "Cannot open file %s" when the file cannot be read, or is not a
// regular file; the line, from 1, in which a NUL cut the list goes to
// *nulLine, the first line cut at kLongestLine to *longLine (0 when none).
QStringList load(const QString& path, qsizetype* nulLine = nullptr, qsizetype* longLine = nullptr);
// Atomic: a failed write leaves the old file whole. Raises "Cannot create file %s".
void save(const QString& path, const QStringList& lines);

// Writes bytes through a temporary file renamed into place; raises
// "Cannot create file %s" on any failure, leaving an existing file untouched.
void writeWhole(const QString& path, const QByteArray& bytes);

} // namespace listfile

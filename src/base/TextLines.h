#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The 8-bit text of the data sets (lists, INI files, required patches) as
// lines: code page 1251; a line ends at CR, LF or CR LF; a NUL ends the text;
// a last line without terminator counts. Written with CR LF after every line.
namespace textlines {

QStringList splitLines(const QString& text);
// A NUL's line, from 1, goes to *nulLine (0 when the text holds none).
QStringList decode(const QByteArray& bytes, qsizetype* nulLine = nullptr);
// CR LF after every line; raises when a line cannot be held by code page 1251.
QByteArray encode(const QStringList& lines);

} // namespace textlines

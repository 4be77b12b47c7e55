#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// Inputs of the commands that may come from a stream: "-" is standard input,
// and a pipe, FIFO or character device (a link to one included) is read to
// its end, never measured by a size it does not have.
namespace cli {

bool isStandardInput(const QString& path);
// Opens path when it is a stream and returns true; returns false, leaving
// `stream` closed, for anything else (a regular file is read by its size).
// Raises "Cannot open file %s" when the stream cannot be opened.
bool openStream(QFile& stream, const QString& path);
// All of standard input; raises "Stream read error" on a failed read.
QByteArray readStandardInput();

} // namespace cli

// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

class QFile;
class QTemporaryFile;

// Inputs of the commands that may come from a stream: "-" is standard input,
// and a pipe, FIFO or character device (a link to one included) is read to
// its end, never measured by a size it does not have.
namespace cli {

bool isStandardInput(const QString& path);
// Opens path when it is a stream and returns true; returns false, leaving
// `stream` closed, for anything else (a regular file is read by its size).
// Raises "Cannot open file %s" when the stream cannot be opened.
bool openStream(QFile& stream, const QString& path);
// An open stream copied block by block into `copy` (opened here), after the
// bytes already taken from it, for readers that pass over their input more
// than once; raises on a failed read or write.
void spool(QFile& stream, QTemporaryFile& copy, const QByteArray& taken = {});

} // namespace cli

// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryFile>

class QFile;

// Inputs of the commands that may come from a stream: "-" is standard input,
// and a pipe, FIFO or character device (a link to one included) is read to
// its end, never measured by a size it does not have. No stream is taken
// beyond kLargestStream bytes: a device without end must not fill the disk.
namespace cli {

inline constexpr qint64 kLargestStream = qint64(256) << 20;

bool isStandardInput(const QString& path);
// Opens path when it is a stream and returns true; returns false, leaving
// `stream` closed, for anything else (a regular file is read by its size).
// Raises "Cannot open file %s" when the stream cannot be opened.
bool openStream(QFile& stream, const QString& path);
// A stream copied to disk for readers that pass over their input more than
// once. The copy lies in the temporary folder under a name holding this
// process's id. It is removed when the spool is destroyed, when the process
// is ended by SIGTERM, SIGINT or SIGHUP, and, after a kill nothing can catch,
// by the next spool made once that process is gone.
class StreamSpool {
public:
    // `suffix` ends the copy's name (".bmp"), for readers that go by it.
    explicit StreamSpool(const QString& suffix = {});
    ~StreamSpool();
    StreamSpool(const StreamSpool&) = delete;
    StreamSpool& operator=(const StreamSpool&) = delete;

    // Copies the stream opened from `name` block by block, after `taken`;
    // raises on a failed read or write and on a stream over kLargestStream.
    void fill(QFile& stream, const QString& name, const QByteArray& taken = {});
    QString fileName() const { return copy_.fileName(); }
    // The copy, to be read from its start.
    QIODevice& rewound();

private:
    QTemporaryFile copy_;
    int slot_ = -1; // where the signal handler finds the name
};

// Removes the spools of processes that are gone, in `folder` (by default the
// temporary folder); returns how many.
int removeStaleSpools(const QString& folder = {});

} // namespace cli

// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QTemporaryFile;

// A file replaced only once every byte has reached the disk. The bytes go to
// a temporary file beside the target, which is flushed, synced and checked and
// only then renamed over the target; on any failure the old file stays whole
// and the temporary file is removed. A target that is a symbolic link is
// replaced by a plain file, never written through.
class CheckedSaveFile {
public:
    explicit CheckedSaveFile(QString path);
    ~CheckedSaveFile(); // an uncommitted file is cancelled
    CheckedSaveFile(const CheckedSaveFile&) = delete;
    CheckedSaveFile& operator=(const CheckedSaveFile&) = delete;

    bool open();
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
    // Flushes, syncs, checks and renames into place; false leaves the target as it was.
    bool commit();
    void cancel();

    QString path() const { return path_; }
    // The system's reason for the first failure, empty when there was none.
    QString errorString() const { return error_; }

private:
    bool fail(const QString& reason);

    QString path_;
    std::unique_ptr<QTemporaryFile> temp_;
    QString error_;
};

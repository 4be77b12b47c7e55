// SPDX-License-Identifier: MIT
#pragma once

#include <QFile>
#include <QString>
#include <memory>

class CheckedSaveFile;
class TarvexError;

// Where a command's output goes. "-" is standard output; an existing file
// that is not a regular file (a device, a FIFO) is written directly, since
// replacing it would break it; anything else is a regular file replaced only
// once the whole output is on disk (CheckedSaveFile). Every failure raises a
// TarvexError carrying the system's reason.
class OutputFile {
public:
    explicit OutputFile(QString path);
    ~OutputFile(); // an uncommitted regular file is left as it was
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    static bool isStandardOutput(const QString& path) { return path == QLatin1String("-"); }
    // "Cannot write file %s", or "Cannot write to standard output" for "-".
    static TarvexError writeError(const QString& path, const QString& reason);

    // Raises "Cannot create file %s".
    void open();
    // Raises "Cannot write file %s" (a full disk, a closed pipe).
    void write(const char* data, qint64 size);
    // Completes the output: the regular file is renamed into place.
    void commit();

    // Written as it goes: bytes once written cannot be withdrawn.
    bool isStream() const { return direct_; }
    QString path() const { return path_; }

private:
    QString path_;
    bool direct_ = false;
    QFile stream_;
    std::unique_ptr<CheckedSaveFile> saveFile_;
};

// SPDX-License-Identifier: MIT
#pragma once

#include <QFile>
#include <QString>
#include <cstdint>

// The file a custom patch is made of, read up to its size as measured when it
// was chosen: bytes the read no longer finds (the file shrank) are FF.
class CustomPatchFile {
public:
    // Raises "Integer overflow" when the last record's address would pass the
    // signed 32-bit range, before the file is opened, then "Cannot open file %s".
    CustomPatchFile(const QString& fileName, std::int64_t size, std::int32_t offset,
                    QIODevice::OpenMode mode = QIODevice::ReadOnly);

    std::int64_t size() const { return size_; } // never below 0
    bool atEnd() const { return atEnd_; }
    // Fills buffer[0, length) with the next bytes, FF past the file's end;
    // returns how many the file gave.
    std::int64_t fill(unsigned char* buffer, std::int64_t length);

private:
    QFile file_;
    std::int64_t size_ = 0;
    bool atEnd_ = false;
};

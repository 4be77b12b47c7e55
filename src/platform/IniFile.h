// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// A reader of Windows private-profile files with that reader's rules:
// sections and keys without regard to case, blanks around names and values
// trimmed, the first match wins, ";" starts a comment line, values are cut at
// 2047 characters, and a missing file, section or key gives the default.
// A file that is there but cannot be read (a folder, a FIFO, a device, no
// permission) raises "Memory.ini cannot be read: REASON (PATH)": its values
// are unknown, and the defaults must not pass for them.
//
// Like that reader it goes to the file for every question, reading it as a
// stream: memory holds one chunk and the values asked for, never the file.
class IniFile {
public:
    explicit IniFile(const QString& path);

    struct Key {
        QString section;
        QString key;
    };
    // One pass for several keys: per key its value, or nothing when missing.
    std::vector<std::optional<QString>> lookup(const QList<Key>& keys) const;

    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    bool contains(const QString& section, const QString& key) const;

    static constexpr qsizetype kMaxValueLength = 2047;

    // Memory.ini held as text lines, to name a line in findings or to edit it.
    // The line, from 1, of the first Key= in [Section] (0 when none);
    // sections and keys without regard to case, ";" lines skipped.
    static qint64 lineOf(const QStringList& lines, const QString& section, const QString& key);
    // Sets Key=value in [Section], keeping every other line: the key's first
    // line is rewritten, else the key is added first in the section, else the
    // section is added at the end after an empty line.
    static void setValue(QStringList& lines, const QString& section, const QString& key,
                         const QString& value);

private:
    QString path_;
};

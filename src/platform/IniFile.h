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

    // The same rules on an INI text held as lines (to name or edit a line):
    // the line, from 1, of the value readString would give; 0 when the key
    // is missing.
    static qint64 lineOf(const QList<QString>& lines, const QString& section, const QString& key);
    // Sets the value that line holds, keeping every other line; a missing key
    // goes right after the section's first header, a missing section at the end.
    static void setValue(QList<QString>& lines, const QString& section, const QString& key,
                         const QString& value);

private:
    QString path_;
};

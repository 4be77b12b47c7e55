#pragma once

#include <QString>
#include <QStringList>

// A reader of Windows private-profile files with that reader's rules:
// sections and keys without regard to case, blanks around names and values
// trimmed, the first match wins, ";" starts a comment line, values are cut at
// 2047 characters, and a missing file, section or key gives the default.
class IniFile {
public:
    explicit IniFile(const QString& path);

    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    bool contains(const QString& section, const QString& key) const;

    static constexpr qsizetype kMaxValueLength = 2047;

private:
    const QString* find(const QString& section, const QString& key) const;

    struct Entry {
        QString section; // case-folded
        QString key;     // case-folded
        QString value;
    };
    QList<Entry> entries_;
};

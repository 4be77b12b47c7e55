#include "platform/IniFile.h"

#include "base/Cp1251.h"
#include "base/TextLines.h"

#include <QFile>

namespace {

QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (begin < end && blank(text[begin])) {
        ++begin;
    }
    while (end > begin && blank(text[end - 1])) {
        --end;
    }
    return text.mid(begin, end - begin);
}

} // namespace

IniFile::IniFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    QString section;
    bool inSection = false;
    for (const QString& raw : textlines::decode(file.readAll())) {
        const QString line = trimBlanks(raw);
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) {
            continue;
        }
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            section = trimBlanks(close < 0 ? line.mid(1) : line.mid(1, close - 1)).toCaseFolded();
            inSection = true;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!inSection || eq < 0) {
            continue;
        }
        Entry entry;
        entry.section = section;
        entry.key = trimBlanks(line.left(eq)).toCaseFolded();
        entry.value = trimBlanks(line.mid(eq + 1)).left(kMaxValueLength);
        entries_.append(entry);
    }
}

const QString* IniFile::find(const QString& section, const QString& key) const {
    const QString s = section.toCaseFolded();
    const QString k = key.toCaseFolded();
    for (const Entry& e : entries_) {
        if (e.section == s && e.key == k) {
            return &e.value;
        }
    }
    return nullptr;
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const QString* value = find(section, key);
    return value ? *value : defaultValue;
}

bool IniFile::contains(const QString& section, const QString& key) const {
    return find(section, key) != nullptr;
}

// SPDX-License-Identifier: MIT
#include "platform/IniFile.h"

#include "base/LineSplitter.h"
#include "base/TarvexError.h"
#include "platform/FileOps.h"

#include <QFile>
#include <QStringList>
#include <algorithm>

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// A section or key name with the blanks around it trimmed, kept only while it
// could still equal one of the names asked for, so a long line costs nothing.
class Name {
public:
    explicit Name(qsizetype cap) : cap_(cap) {}

    void add(QChar c) {
        if (isBlank(c)) {
            if (!text_.isEmpty() && blanks_.size() <= cap_) {
                blanks_.append(c); // inner blanks count; trailing ones are dropped
            }
            return;
        }
        if (tooLong_) {
            return;
        }
        if (text_.size() + blanks_.size() + 1 > cap_) {
            tooLong_ = true;
            text_.clear();
            return;
        }
        text_ += blanks_;
        blanks_.clear();
        text_.append(c);
    }
    // Case-folded; empty with `valid` false when it was too long to match.
    QString folded(bool& valid) const {
        valid = !tooLong_;
        return text_.toCaseFolded();
    }
    void clear() {
        text_.clear();
        blanks_.clear();
        tooLong_ = false;
    }

private:
    qsizetype cap_;
    QString text_;
    QString blanks_;
    bool tooLong_ = false;
};

// The value after "=": leading blanks skipped, at most 2047 characters kept.
// Trailing blanks are trimmed before the cut, so they only go when nothing
// but blanks follows the kept part.
class Value {
public:
    void add(QChar c) {
        if (text_.isEmpty() && isBlank(c)) {
            return;
        }
        if (text_.size() < IniFile::kMaxValueLength) {
            text_.append(c);
        } else if (!isBlank(c)) {
            moreText_ = true;
        }
    }
    QString take() {
        qsizetype end = text_.size();
        while (!moreText_ && end > 0 && isBlank(text_[end - 1])) {
            --end;
        }
        QString out = text_.left(end);
        text_.clear();
        moreText_ = false;
        return out;
    }

private:
    QString text_;
    bool moreText_ = false;
};

// Follows the lines of the file character by character and records the first
// value of every key asked for.
class Scan {
public:
    Scan(const QList<IniFile::Key>& keys, std::vector<std::optional<QString>>& found)
        : keys_(keys), found_(found), name_(longestName(keys)), remaining_(keys.size()) {
        for (const IniFile::Key& k : keys) {
            sections_.append(k.section.toCaseFolded());
            names_.append(k.key.toCaseFolded());
        }
    }

    void piece(QStringView text) {
        for (const QChar c : text) {
            step(c);
        }
    }

    void lineEnd() {
        if (part_ == Part::Section) {
            enterSection();
        } else if (part_ == Part::Value) {
            found_[std::size_t(target_)] = value_.take();
            --remaining_;
        }
        part_ = Part::Start;
        name_.clear();
    }

    bool done() const { return remaining_ == 0; }

private:
    enum class Part { Start, Ignore, Section, Key, Value };

    static qsizetype longestName(const QList<IniFile::Key>& keys) {
        qsizetype n = 0;
        for (const IniFile::Key& k : keys) {
            n = std::max({n, k.section.size(), k.key.size()});
        }
        return n;
    }

    void step(QChar c) {
        switch (part_) {
        case Part::Start:
            if (isBlank(c)) {
                return;
            }
            if (c == QLatin1Char(';')) {
                part_ = Part::Ignore;
            } else if (c == QLatin1Char('[')) {
                part_ = Part::Section;
            } else if (!inSection_) {
                part_ = Part::Ignore; // keys before the first section belong to none
            } else {
                part_ = Part::Key;
                step(c);
            }
            return;
        case Part::Section:
            if (c == QLatin1Char(']')) {
                enterSection();
                part_ = Part::Ignore;
            } else {
                name_.add(c);
            }
            return;
        case Part::Key:
            if (c == QLatin1Char('=')) {
                part_ = wanted() ? Part::Value : Part::Ignore;
            } else {
                name_.add(c);
            }
            return;
        case Part::Value:
            value_.add(c);
            return;
        case Part::Ignore:
            return;
        }
    }

    void enterSection() {
        bool valid = false;
        section_ = name_.folded(valid);
        sectionValid_ = valid;
        inSection_ = true;
        name_.clear();
    }

    // True when the key just read is one asked for and not yet found.
    bool wanted() {
        bool valid = false;
        const QString key = name_.folded(valid);
        if (!valid || !sectionValid_) {
            return false;
        }
        for (qsizetype i = 0; i < keys_.size(); ++i) {
            if (!found_[std::size_t(i)] && names_[i] == key && sections_[i] == section_) {
                target_ = i;
                return true;
            }
        }
        return false;
    }

    const QList<IniFile::Key>& keys_;
    std::vector<std::optional<QString>>& found_;
    QStringList sections_;
    QStringList names_;
    Part part_ = Part::Start;
    Name name_;
    Value value_;
    QString section_;
    bool sectionValid_ = false;
    bool inSection_ = false;
    qsizetype target_ = 0;
    qsizetype remaining_;
};

} // namespace

IniFile::IniFile(const QString& path) : path_(path) {}

std::vector<std::optional<QString>> IniFile::lookup(const QList<Key>& keys) const {
    std::vector<std::optional<QString>> found(std::size_t(keys.size()));
    QFile file;
    QString reason;
    if (keys.isEmpty()) {
        return found;
    }
    switch (fileops::openForReading(file, path_, &reason)) {
    case fileops::Opened::Ok:
        break;
    case fileops::Opened::Missing:
        return found;
    case fileops::Opened::Unreadable:
        // Its values are not known: the defaults would silently stand in for them.
        throw TarvexError(QStringLiteral("%1 cannot be read: %2 (%3)")
                              .arg(fileops::bareName(path_), reason, path_));
    }
    Scan scan(keys, found);
    textlines::LineSplitter lines([&](QStringView piece) { scan.piece(piece); },
                                  [&] { scan.lineEnd(); });
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    qint64 n = 0;
    while (!scan.done() && (n = file.read(chunk.data(), chunk.size())) > 0) {
        if (!lines.feed(std::string_view(chunk.constData(), std::size_t(n)))) {
            break;
        }
    }
    lines.finish();
    return found;
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    return lookup({{section, key}}).front().value_or(defaultValue);
}

bool IniFile::contains(const QString& section, const QString& key) const {
    return lookup({{section, key}}).front().has_value();
}

qint64 IniFile::lineOf(const QStringList& lines, const QString& section, const QString& key) {
    QString current;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            current = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && !line.startsWith(QLatin1Char(';')) &&
            current.compare(section, Qt::CaseInsensitive) == 0 &&
            line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0) {
            return i + 1;
        }
    }
    return 0;
}

void IniFile::setValue(QStringList& lines, const QString& section, const QString& key,
                       const QString& value) {
    const qint64 at = lineOf(lines, section, key);
    if (at > 0) {
        QString& line = lines[at - 1];
        line = line.left(line.indexOf(QLatin1Char('='))) + QLatin1Char('=') + value;
        return;
    }
    const QString header = QLatin1Char('[') + section + QLatin1Char(']');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().compare(header, Qt::CaseInsensitive) == 0) {
            lines.insert(i + 1, key + QLatin1Char('=') + value);
            return;
        }
    }
    lines << QString() << header << key + QLatin1Char('=') + value;
}

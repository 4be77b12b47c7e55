// SPDX-License-Identifier: MIT
#include "platform/IniFile.h"

#include "base/LineSplitter.h"
#include "base/TarvexError.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
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
            foundLine_ = foundLine_ == 0 ? line_ + 1 : foundLine_;
            --remaining_;
        }
        part_ = Part::Start;
        name_.clear();
        ++line_;
    }

    bool done() const { return remaining_ == 0; }
    // Lines from 1: of the first value found, of the first header of a
    // section asked for; 0 for none.
    qint64 foundLine() const { return foundLine_; }
    qint64 sectionLine() const { return sectionLine_; }

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
        if (sectionLine_ == 0 && valid && sections_.contains(section_)) {
            sectionLine_ = line_ + 1;
        }
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
    qint64 line_ = 0; // lines ended so far
    qint64 foundLine_ = 0;
    qint64 sectionLine_ = 0;
};

// Scans INI text held as lines.
Scan scanLines(const QList<QString>& lines, const QList<IniFile::Key>& keys,
               std::vector<std::optional<QString>>& found) {
    Scan scan(keys, found);
    for (const QString& line : lines) {
        if (scan.done()) {
            break;
        }
        scan.piece(line);
        scan.lineEnd();
    }
    return scan;
}

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
        throw TarvexError(QCoreApplication::translate("Report", "%1 cannot be read: %2 (%3)")
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

qint64 IniFile::lineOf(const QList<QString>& lines, const QString& section, const QString& key) {
    const QList<Key> keys{{section, key}};
    std::vector<std::optional<QString>> found(1);
    return scanLines(lines, keys, found).foundLine();
}

void IniFile::setValue(QList<QString>& lines, const QString& section, const QString& key,
                       const QString& value) {
    const QList<Key> keys{{section, key}};
    std::vector<std::optional<QString>> found(1);
    const Scan scan = scanLines(lines, keys, found);
    if (const qint64 at = scan.foundLine(); at > 0) {
        QString& line = lines[at - 1];
        line = line.left(line.indexOf(QLatin1Char('='))) + QLatin1Char('=') + value;
    } else if (const qint64 header = scan.sectionLine(); header > 0) {
        lines.insert(header, key + QLatin1Char('=') + value);
    } else {
        lines << QString() << QLatin1Char('[') + section + QLatin1Char(']')
              << key + QLatin1Char('=') + value;
    }
}

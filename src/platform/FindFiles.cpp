// SPDX-License-Identifier: MIT
#include "platform/FindFiles.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

char16_t foldAscii(char16_t c) {
    return (c >= 'A' && c <= 'Z') ? char16_t(c + 32) : c;
}

// Matches the set starting after "[" at mask[m]; on success m is past "]".
bool matchSet(char16_t c, const QString& mask, qsizetype& m) {
    bool negate = false;
    if (m < mask.size() && mask[m] == QLatin1Char('!')) {
        negate = true;
        ++m;
    }
    bool found = false;
    bool first = true;
    while (m < mask.size() && (first || mask[m] != QLatin1Char(']'))) {
        first = false;
        char16_t low = foldAscii(mask[m].unicode());
        char16_t high = low;
        if (m + 2 < mask.size() && mask[m + 1] == QLatin1Char('-') &&
            mask[m + 2] != QLatin1Char(']')) {
            high = foldAscii(mask[m + 2].unicode());
            m += 2;
        }
        ++m;
        if (c >= low && c <= high) {
            found = true;
        }
    }
    if (m >= mask.size()) {
        return false; // an unclosed set matches nothing
    }
    ++m; // past "]"
    return found != negate;
}

bool matchFrom(const QString& name, qsizetype n, const QString& mask, qsizetype m) {
    while (m < mask.size()) {
        const QChar pc = mask[m];
        if (pc == QLatin1Char('*')) {
            while (m < mask.size() && mask[m] == QLatin1Char('*')) {
                ++m;
            }
            if (m == mask.size()) {
                return true;
            }
            for (qsizetype k = n; k <= name.size(); ++k) {
                if (matchFrom(name, k, mask, m)) {
                    return true;
                }
            }
            return false;
        }
        if (n >= name.size()) {
            return false;
        }
        const char16_t c = foldAscii(name[n].unicode());
        if (pc == QLatin1Char('?')) {
            ++m;
        } else if (pc == QLatin1Char('[')) {
            ++m;
            if (!matchSet(c, mask, m)) {
                return false;
            }
        } else {
            if (foldAscii(pc.unicode()) != c) {
                return false;
            }
            ++m;
        }
        ++n;
    }
    return n == name.size();
}

bool isDotEntry(const QString& name) {
    return name == QLatin1String(".") || name == QLatin1String("..");
}

// A plain folder: no hidden (leading "."), read-only or link bits.
bool isPlainFolder(const QFileInfo& info) {
    return info.isDir() && !info.isSymLink() && !info.fileName().startsWith(QLatin1Char('.')) &&
           (info.permissions() & QFileDevice::WriteOwner);
}

} // namespace

bool FileSearch::matchesMask(const QString& name, const QString& mask) {
    return matchFrom(name, 0, mask, 0);
}

void FileSearch::run() {
    searchFolder(directory);
}

void FileSearch::searchFolder(const QString& folder) {
    QDir dir(folder);
    if (folder.isEmpty() || !dir.exists() || !dir.isReadable()) {
        return;
    }
    const QDir::Filters filters = dirsOnly ? (QDir::Dirs | QDir::NoDotAndDotDot)
                                           : (QDir::AllEntries | QDir::Hidden | QDir::System);
    QFileInfoList entries = dir.entryInfoList(filters, QDir::NoSort);
    // The file system gives no order of its own here; sort so results are stable.
    std::sort(entries.begin(), entries.end(),
              [](const QFileInfo& a, const QFileInfo& b) { return a.fileName() < b.fileName(); });
    const QString prefix = fullPath ? dir.absolutePath() + QLatin1Char('/') : QString();
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (subfolders && entry.isDir() && !isDotEntry(name)) {
            searchFolder(entry.absoluteFilePath());
        }
        if (dirsOnly) {
            if (includeDirs && !isDotEntry(name) && isPlainFolder(entry)) {
                files.append(name);
            }
            continue;
        }
        if (!matchesMask(name, fileMask)) {
            continue;
        }
        if (includeDirs && entry.isDir() && !isDotEntry(name)) {
            files.append(name);
        } else {
            files.append(prefix + name);
        }
    }
}

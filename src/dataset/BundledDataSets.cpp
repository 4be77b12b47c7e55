// SPDX-License-Identifier: MIT
#include "dataset/BundledDataSets.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace bundled {

bool copyTree(const QString& from, const QString& to) {
    if (!QDir().mkpath(to)) {
        return false;
    }
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target)) {
                return false;
            }
            continue;
        }
        // The user's copy must be writable even when the installed one is not.
        if (!QFile::copy(source, target) ||
            !QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner |
                                               QFile::WriteOwner)) {
            return false;
        }
    }
    return true;
}

QString findRoot(const QString& programFolder) {
    // Beside the program first, so that a moved installation finds its own
    // data; then the system's data folders ($XDG_DATA_DIRS).
    QStringList candidates{programFolder + QStringLiteral("/../share/tarvex/firmware"),
                           programFolder + QStringLiteral("/data/firmware")};
#ifdef TARVEX_DATA_FROM_BIN
    candidates.append(programFolder + QStringLiteral("/" TARVEX_DATA_FROM_BIN));
#endif
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        candidates.append(folder + QStringLiteral("/tarvex/firmware"));
    }
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isDir()) {
            return QDir(candidate).absolutePath();
        }
    }
    return {};
}

QStringList installMissing(const QString& bundledRoot, const QString& userFolder) {
    QStringList installed;
    if (bundledRoot.isEmpty() || !QFileInfo(userFolder).isDir()) {
        return installed;
    }
    const QStringList ids =
        QDir(bundledRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& id : ids) {
        const QString target = userFolder + QLatin1Char('/') + id;
        if (QFileInfo::exists(target)) {
            continue;
        }
        const QString partial = userFolder + QStringLiteral("/.") + id + QStringLiteral(".partial");
        QDir(partial).removeRecursively();
        if (copyTree(bundledRoot + QLatin1Char('/') + id, partial) &&
            QDir().rename(partial, target)) {
            installed.append(id);
        } else {
            QDir(partial).removeRecursively();
        }
    }
    return installed;
}

} // namespace bundled

// SPDX-License-Identifier: MIT
#include "dataset/BundledDataSets.h"

#include "base/TarvexError.h"
#include "dataset/TreeCopy.h"
#include "platform/FileOps.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace bundled {

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
        // Made under a hidden name and renamed into place only when whole.
        // Whatever a planted link leads to is never emptied nor copied into:
        // the link goes, and the copy goes into a folder made here.
        const QString partial = userFolder + QLatin1Char('/') +
                                fileops::staging::hiddenName(id, fileops::staging::kPartial);
        if (!fileops::removeStagingEntry(partial) || !fileops::createFolder(partial)) {
            continue;
        }
        try {
            treecopy::copy(bundledRoot + QLatin1Char('/') + id, partial,
                           [](const QFileInfo&) {}); // the shipped sets hold plain files
            if (fileops::isPlainFolder(partial) && QDir().rename(partial, target)) {
                installed.append(id);
                continue;
            }
        } catch (const TarvexError&) {
        }
        fileops::removeStagingEntry(partial);
    }
    return installed;
}

bool isBundled(const QString& bundledRoot, const QString& id) {
    return !bundledRoot.isEmpty() && fileops::isSafeBareName(id) &&
           QFileInfo(bundledRoot + QLatin1Char('/') + id).isDir();
}

} // namespace bundled

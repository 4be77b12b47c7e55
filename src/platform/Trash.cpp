// SPDX-License-Identifier: MIT
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace fileops {

namespace {

TrashMover& testMover() {
    static TrashMover mover;
    return mover;
}

bool sameFolder(const QString& a, const QString& b) {
    const QString real = QFileInfo(a).canonicalFilePath();
    return !real.isEmpty() && real == QFileInfo(b).canonicalFilePath();
}

// A trash keeps its entries in "files": the user's own trash under the data
// folder, or a volume's ".Trash/UID" or ".Trash-UID".
bool landedInTrash(const QFileInfo& landed) {
#ifdef Q_OS_WIN
    (void)landed;
    return true; // the recycle bin is the system's own
#else
    const QFileInfo trash(QFileInfo(landed.path()).path());
    const QString uid = QString::number(::getuid());
    return QFileInfo(landed.path()).fileName() == u"files" &&
           (sameFolder(trash.filePath(),
                       QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/Trash")) ||
            trash.fileName() == QStringLiteral(".Trash-") + uid ||
            (trash.fileName() == uid && QFileInfo(trash.path()).fileName() == u".Trash"));
#endif
}

bool desktopTrash(const QString& path, QString* reason) {
    QFile entry(path);
    if (!entry.moveToTrash()) {
        *reason = entry.errorString();
        return false;
    }
    const QFileInfo landed(entry.fileName());
    if (landedInTrash(landed)) {
        return true;
    }
    // Without a usable trash the move lands in "files" of the working
    // folder: that is no trash, so the set goes back where it was.
    const QString trash = QFileInfo(landed.path()).path();
    if (!QDir().rename(landed.filePath(), path)) {
        *reason = QCoreApplication::translate(
                      "Report", "no trash could be set up; it was moved to %1 and not back")
                      .arg(landed.filePath());
        return false;
    }
    removeFileOrLink(trash + QStringLiteral("/info/") + landed.fileName() +
                     QStringLiteral(".trashinfo"));
    QDir().rmdir(trash + QStringLiteral("/info"));
    QDir().rmdir(landed.path());
    *reason = QCoreApplication::translate("Report", "no trash could be set up");
    return false;
}

} // namespace

void setTrashForTests(TrashMover mover) {
    testMover() = std::move(mover);
}

Trashed moveFolderToTrash(const QString& path, QString* reason) {
    QString why;
    const QFileInfo entry(path);
    if (path.isEmpty() || !isPlainFolder(path) || entry.isJunction()) {
        why = entry.isSymLink() ? QCoreApplication::translate("Report", "it is a link")
                                : QCoreApplication::translate("Report", "it is not a folder");
        if (reason) {
            *reason = why;
        }
        return Trashed::Refused;
    }
    const bool moved = testMover() ? testMover()(path, &why) : desktopTrash(path, &why);
    // Told only once the folder is seen gone from its place.
    const QFileInfo after(path);
    if (moved && !after.exists() && !after.isSymLink()) {
        return Trashed::Moved;
    }
    if (reason) {
        *reason = why.isEmpty() ? QCoreApplication::translate("Report", "the trash did not take it")
                                : why;
    }
    return Trashed::NoTrash;
}

} // namespace fileops

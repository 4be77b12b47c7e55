// SPDX-License-Identifier: MIT
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace fileops {

namespace {

TrashMover& testMover() {
    static TrashMover mover;
    return mover;
}

bool desktopTrash(const QString& path, QString* reason) {
    QFile entry(path);
    if (entry.moveToTrash()) {
        return true;
    }
    *reason = entry.errorString();
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

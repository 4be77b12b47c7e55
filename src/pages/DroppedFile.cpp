// SPDX-License-Identifier: MIT
#include "pages/DroppedFile.h"

#include "dataset/ManagerInfo.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

namespace droppedfile {

bool carriesUrls(const QMimeData* data) {
    return data != nullptr && data->hasUrls();
}

Dropped single(const QList<QUrl>& urls) {
    if (urls.size() != 1) {
        return {{},
                QCoreApplication::translate("DroppedFile",
                                            "Drop one file: only one can be taken at a time.")};
    }
    const QUrl& url = urls.front();
    if (!url.isLocalFile()) {
        return {{},
                QCoreApplication::translate(
                    "DroppedFile", "Drop a file from this computer's disk, not the link \"%1\".")
                    .arg(url.toDisplayString())};
    }
    const QString path = url.toLocalFile();
    const QFileInfo file(path);
    if (file.isDir()) {
        return {{},
                QCoreApplication::translate("DroppedFile", "\"%1\" is a folder. Drop a file.")
                    .arg(file.fileName())};
    }
    if (!file.exists()) {
        return {
            {},
            QCoreApplication::translate("DroppedFile", "The file \"%1\" was not found.").arg(path)};
    }
    return {path, {}};
}

QString wrongKind(const QString& path, const QStringList& suffixes) {
    QStringList patterns;
    for (const QString& suffix : suffixes) {
        patterns.append(QStringLiteral("*.") + suffix);
    }
    return QCoreApplication::translate("DroppedFile",
                                       "The file \"%1\" does not suit this slot: it takes only %2.")
        .arg(fileops::bareName(path), patterns.join(QStringLiteral(", ")));
}

Dropped forSlot(const QList<QUrl>& urls, const ManagerInfo& info, int slot) {
    Dropped dropped = single(urls);
    if (dropped.refusal.isEmpty() && !managers::acceptsFile(info, slot, dropped.path)) {
        dropped.refusal = wrongKind(dropped.path, managers::acceptedSuffixes(info, slot));
    }
    return dropped;
}

void answer(QDropEvent& event, bool take) {
    if (take && event.possibleActions().testFlag(Qt::CopyAction)) {
        event.setDropAction(Qt::CopyAction);
        event.accept();
    } else {
        event.ignore();
    }
}

} // namespace droppedfile

// SPDX-License-Identifier: MIT
#include "pages/DroppedFile.h"

#include "dataset/ManagerInfo.h"
#include "platform/FileOps.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

namespace droppedfile {

bool carriesUrls(const QMimeData* data) {
    return data != nullptr && data->hasUrls();
}

Dropped single(const QList<QUrl>& urls) {
    if (urls.size() != 1) {
        return {{}, QStringLiteral("Перетащите один файл: за раз можно взять только один.")};
    }
    const QUrl& url = urls.front();
    if (!url.isLocalFile()) {
        return {{},
                QStringLiteral("Перетащите файл с диска этого компьютера, а не ссылку \"%1\".")
                    .arg(url.toDisplayString())};
    }
    const QString path = url.toLocalFile();
    const QFileInfo file(path);
    if (file.isDir()) {
        return {{}, QStringLiteral("\"%1\" — это папка. Перетащите файл.").arg(file.fileName())};
    }
    if (!file.exists()) {
        return {{}, QStringLiteral("Файл \"%1\" не найден.").arg(path)};
    }
    return {path, {}};
}

QString wrongKind(const QString& path, const QStringList& suffixes) {
    QStringList patterns;
    for (const QString& suffix : suffixes) {
        patterns.append(QStringLiteral("*.") + suffix);
    }
    return QStringLiteral("Файл \"%1\" не подходит для этого слота: он принимает только %2.")
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

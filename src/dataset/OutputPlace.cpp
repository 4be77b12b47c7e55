// SPDX-License-Identifier: MIT
#include "dataset/OutputPlace.h"

#include "base/Report.h"
#include "platform/AppDataFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace outputplace {

namespace {

// The path with every link resolved, also when its last parts do not exist
// yet: the nearest folder that exists is resolved and the rest appended.
QString resolved(const QString& path) {
    QFileInfo info(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    QStringList rest;
    while (!info.exists() && !info.isSymLink()) {
        rest.prepend(info.fileName());
        const QString parent = info.absolutePath();
        if (parent == info.absoluteFilePath()) {
            return {};
        }
        info = QFileInfo(parent);
    }
    // A link left as the last part is replaced, not written through: its own
    // place counts.
    QString base = info.isSymLink() && rest.isEmpty()
                       ? QFileInfo(info.absolutePath()).canonicalFilePath() + QLatin1Char('/') +
                             info.fileName()
                       : info.canonicalFilePath();
    for (const QString& part : rest) {
        base += QLatin1Char('/') + part;
    }
    return base;
}

bool isWithin(const QString& path, const QString& folder) {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    return !folder.isEmpty() &&
           (path.compare(folder, cs) == 0 || path.startsWith(folder + QLatin1Char('/'), cs));
}

} // namespace

QString standardUserFolder() {
    const QString appData = appDataFolder();
    return appData.isEmpty() ? QString() : appData + QStringLiteral("/Tarvex");
}

QString refusal(const QString& userFolder, const QString& path) {
    if (path == QLatin1String("-") || userFolder.isEmpty()) {
        return {};
    }
    // Both the entry's own place and, for a link, what it points at: a
    // device or FIFO is written through its link.
    QStringList places{resolved(path)};
    if (const QString target = QFileInfo(path).canonicalFilePath(); !target.isEmpty()) {
        places.append(target);
    }
    const QDir user(userFolder);
    for (const QFileInfo& firmware :
         user.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        const QString folders[] = {firmware.canonicalFilePath(),
                                   resolved(firmware.absoluteFilePath())};
        for (const QString& place : places) {
            for (const QString& folder : folders) {
                if (isWithin(place, folder)) {
                    return Report::tr(
                               "The file cannot be saved into the firmware folder %1: in it, its "
                               "Data folder and its working folders the program keeps lists and "
                               "copies of files. Saving there would spoil them, and the program "
                               "empties the working folder. Please choose another folder.\n%2")
                        .arg(QDir::toNativeSeparators(firmware.absoluteFilePath()),
                             QDir::toNativeSeparators(path));
                }
            }
        }
    }
    return {};
}

} // namespace outputplace

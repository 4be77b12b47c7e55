#include "platform/DialogFolders.h"

#include "base/TarvexError.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

namespace dialogfolders {

QString settingsKey(const QString& dialog) {
    return QStringLiteral("Folders/") + dialog;
}

QString startFolder(const QString& dialog) {
    QString folder;
    try {
        folder = SettingsStore().readString(settingsKey(dialog)).value_or(QString());
    } catch (const TarvexError&) {
        // A value of another type is no folder; the dialog still opens.
    }
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void remember(const QString& dialog, const QString& chosenFile) {
    if (chosenFile.isEmpty()) {
        return;
    }
    SettingsStore store;
    if (store.isUsable()) {
        store.writeString(settingsKey(dialog), QFileInfo(chosenFile).absolutePath());
    }
}

QString startFilter(const QString& dialog, const QString& filters) {
    QString filter;
    try {
        filter =
            SettingsStore().readString(QStringLiteral("Filters/") + dialog).value_or(QString());
    } catch (const TarvexError&) {
        // A value of another type names no filter.
    }
    return filters.split(QStringLiteral(";;")).contains(filter) ? filter : QString();
}

void rememberFilter(const QString& dialog, const QString& filter) {
    SettingsStore store;
    if (!filter.isEmpty() && store.isUsable()) {
        store.writeString(QStringLiteral("Filters/") + dialog, filter);
    }
}

} // namespace dialogfolders

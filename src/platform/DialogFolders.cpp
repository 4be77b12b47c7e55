// SPDX-License-Identifier: MIT
#include "platform/DialogFolders.h"

#include "base/TarvexError.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

namespace dialogfolders {

QString settingsKey(const QString& dialog) {
    return QStringLiteral("Folders/") + dialog;
}

namespace {

// Where the last patch of any page was saved.
const QString kLastPatch = QStringLiteral("LastPatch");

bool isSaveDialog(const QString& dialog) {
    return dialog.startsWith(QLatin1String("Save"));
}

QString rememberedFolder(const QString& dialog) {
    QString folder;
    try {
        folder = SettingsStore().readString(settingsKey(dialog)).value_or(QString());
    } catch (const TarvexError&) {
        // A value of another type is no folder; the dialog still opens.
    }
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

} // namespace

QString startFolder(const QString& dialog) {
    QString folder = rememberedFolder(dialog);
    if (folder.isEmpty() && isSaveDialog(dialog)) {
        // Patches tend to go together: a page's first save offers the
        // folder where another page's patch went.
        folder = rememberedFolder(kLastPatch);
    }
    return folder.isEmpty() ? QDir::homePath() : folder;
}

void remember(const QString& dialog, const QString& chosenFile) {
    if (chosenFile.isEmpty()) {
        return;
    }
    SettingsStore store;
    if (store.isUsable()) {
        const QString folder = QFileInfo(chosenFile).absolutePath();
        store.writeString(settingsKey(dialog), folder);
        if (isSaveDialog(dialog)) {
            store.writeString(settingsKey(kLastPatch), folder);
        }
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

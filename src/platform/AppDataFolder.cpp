// SPDX-License-Identifier: MIT
#include "platform/AppDataFolder.h"

#include <QDir>

QString appDataFolder() {
#ifdef Q_OS_WIN
    return QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
#else
    // A relative XDG_DATA_HOME is ignored, as the XDG rules say; without a
    // home the answer is empty rather than a folder at the root of the disk.
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) {
        return xdg;
    }
    const QString home = qEnvironmentVariable("HOME");
    return home.isEmpty() || !QDir::isAbsolutePath(home) ? QString()
                                                         : home + QStringLiteral("/.local/share");
#endif
}

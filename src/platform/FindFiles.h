// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// Lists a folder by a wildcard mask: "*" any run of characters, "?" one
// character, "[a-z]" one of a set (a leading "!" negates); letters a to z match
// without regard to case. The process's current directory is left alone.
class FileSearch {
public:
    QString directory;
    QString fileMask = QStringLiteral("*.*");
    bool subfolders = false;
    bool fullPath = false;
    bool dirsOnly = false;
    bool includeDirs = false;

    QStringList files;

    void run();

    static bool matchesMask(const QString& name, const QString& mask);

private:
    void searchFolder(const QString& folder);
};

// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// Lists a folder by a wildcard mask: "*" any run of characters, "?" one
// character, "[a-z]" one of a set (a leading "!" negates); letters a to z match
// without regard to case. The process's current directory is left alone.
class TFindFiles {
public:
    QString Directory;
    QString FileMask = QStringLiteral("*.*");
    bool Subfolders = false;
    bool FullPath = false;
    bool DirsOnly = false;
    bool IncludeDirs = false;

    QStringList Files;

    void Search();

    static bool matchesMask(const QString& name, const QString& mask);

private:
    void searchFolder(const QString& folder);
};

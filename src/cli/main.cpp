// SPDX-License-Identifier: MIT
#include "base/ReportLanguage.h"
#include "cli/Commands.h"

#include <QCoreApplication>
#include <QLocale>
#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

int main(int argc, char** argv) {
#ifdef Q_OS_WIN
    // The messages hold Russian text, written as UTF-8.
    SetConsoleOutputCP(CP_UTF8);
#endif
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    // Russian under a Russian locale, else English; the manual page and the
    // completion the build makes are English whoever builds them.
    const bool forTheBuild = args == QStringList{QStringLiteral("--manual-sections")} ||
                             args == QStringList{QStringLiteral("--bash-completion")};
    reportlanguage::use(forTheBuild ? QLocale::c() : QLocale::system());
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runCli(args, QCoreApplication::applicationDirPath(), out, err);
}

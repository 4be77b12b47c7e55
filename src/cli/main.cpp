#include "cli/Commands.h"

#include <QCoreApplication>
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
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runCli(args, QCoreApplication::applicationDirPath(), out, err);
}

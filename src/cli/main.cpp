#include "check/ReportLanguage.h"
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
    // Reports in the user's language: Russian under a Russian locale, else English.
    reportlanguage::use(QLocale::system());
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runCli(args, QCoreApplication::applicationDirPath(), out, err);
}

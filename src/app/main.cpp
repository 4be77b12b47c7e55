// SPDX-License-Identifier: MIT
#include "app/MainWindow.h"
#include "app/StartUp.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// --help and --version are answered before the toolkit starts, so that they
// need no display. Returns the exit code, or -1 to go on.
int answerWithoutWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs("usage: tarvex [--help | --version]\n"
                       "Opens the Tarvex window, which builds firmware patch files for the "
                       "Samsung X120 handset.\n"
                       "tarvex-cli does the same work from the command line.\n",
                       stdout);
        } else if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tarvex %s\n", TARVEX_VERSION);
        } else {
            continue;
        }
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }
    return -1;
}

// Qt ends the program with abort() and a hint to reinstall it when no
// display can be opened; the user is told what happened instead, with exit
// status 1. Only while the toolkit starts: later fatal messages stay Qt's.
QtMessageHandler qtHandler = nullptr;

void noDisplayHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        const QByteArray display = qgetenv("DISPLAY");
        std::fprintf(stderr,
                     "tarvex: no display could be opened (%s): start it in a graphical session, "
                     "or use tarvex-cli\n",
                     display.isEmpty() ? "DISPLAY is not set"
                                       : ("DISPLAY is " + display).constData());
        std::fflush(stderr);
        std::_Exit(1);
    }
    qtHandler(type, context, text);
}

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/tarvex-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace

int main(int argc, char** argv) {
    if (const int code = answerWithoutWindow(argc, argv); code >= 0) {
        return code;
    }
    qtHandler = qInstallMessageHandler(noDisplayHandler);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    QApplication::setApplicationName(QStringLiteral("Tarvex"));
    QApplication::setOrganizationName(QStringLiteral("Ulvane"));
    QApplication::setApplicationVersion(QStringLiteral(TARVEX_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tarvex.Tarvex"));
    QApplication::setWindowIcon(applicationIcon()); // every window's, the task bar's
    if (!StartUp::prepareProgram(app)) {
        return 1;
    }
    SessionOptions options;
    options.programFolder = QApplication::applicationDirPath();
    MainWindow window(options);
    window.show();
    return app.exec();
}

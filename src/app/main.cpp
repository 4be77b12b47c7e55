#include "app/Unit1.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvex"));
    QApplication::setOrganizationName(QStringLiteral("Ulvane"));

    SessionOptions options;
    options.programFolder = QApplication::applicationDirPath();
    TForm1 window(options);
    window.show();
    return app.exec();
}

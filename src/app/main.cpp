#include "app/QtTranslation.h"
#include "app/Unit1.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvex"));
    QApplication::setOrganizationName(QStringLiteral("Ulvane"));
    installQtTranslation(app);

    SessionOptions options;
    options.programFolder = QApplication::applicationDirPath();
    TForm1 window(options);
    window.show();
    return app.exec();
}

#include "app/Unit1.h"
#include "platform/AppDataFolder.h"
#include "platform/UserDialogs.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvex"));
    QApplication::setOrganizationName(QStringLiteral("Ulvane"));

    if (GetAppDataFolder().isEmpty()) {
        // Better to stop than to keep the user's data at the root of the disk.
        UserDialogs::instance().showError(
            QStringLiteral("Не найдена папка для данных пользователя: переменная HOME не задана, "
                           "а XDG_DATA_HOME не задана или не является абсолютным путём"));
        return 1;
    }
    SessionOptions options;
    options.programFolder = QApplication::applicationDirPath();
    TForm1 window(options);
    window.show();
    return app.exec();
}

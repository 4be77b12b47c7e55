#include "dataset/ChosenName.h"

#include "base/Cp1251.h"
#include "platform/FileOps.h"

#include <QFileInfo>

namespace chosenname {

QString of(const QString& path) {
    return QFileInfo(path).fileName();
}

QString refusal(const QString& bareName) {
    for (const QChar c : bareName) {
        // C0, DEL and C1: none is a printable character of a name.
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F)) {
            return QStringLiteral("Имя файла содержит управляющий символ (перевод строки, "
                                  "табуляцию или другой). Пожалуйста, переименуйте файл.");
        }
    }
    if (!fileops::isSafeBareName(bareName)) {
        return QStringLiteral("Недопустимое имя файла: %1").arg(bareName);
    }
    if (!cp1251::encode(bareName)) {
        return QStringLiteral("Имя файла \"%1\" нельзя записать в кодировке 1251. Пожалуйста, "
                              "переименуйте файл.")
            .arg(bareName);
    }
    return {};
}

} // namespace chosenname

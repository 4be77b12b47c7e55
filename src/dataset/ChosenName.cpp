#include "dataset/ChosenName.h"

#include "base/Cp1251.h"
#include "platform/FileOps.h"

#include <QFileInfo>

namespace chosenname {

QString of(const QString& path) {
    return QFileInfo(path).fileName();
}

NameProblem problemOf(const QString& bareName) {
    for (const QChar c : bareName) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F)) {
            return NameProblem::ControlCharacter;
        }
    }
    if (!fileops::isSafeBareName(bareName)) {
        return NameProblem::NotBareName;
    }
    return cp1251::encode(bareName) ? NameProblem::None : NameProblem::NotCp1251;
}

QString refusal(const QString& bareName) {
    switch (problemOf(bareName)) {
    case NameProblem::None:
        break;
    case NameProblem::ControlCharacter:
        return QStringLiteral("Имя файла содержит управляющий символ (перевод строки, "
                              "табуляцию или другой). Пожалуйста, переименуйте файл.");
    case NameProblem::NotBareName:
        return QStringLiteral("Недопустимое имя файла: %1").arg(bareName);
    case NameProblem::NotCp1251:
        return QStringLiteral("Имя файла \"%1\" нельзя записать в кодировке 1251. Пожалуйста, "
                              "переименуйте файл.")
            .arg(bareName);
    }
    return {};
}

} // namespace chosenname

// SPDX-License-Identifier: MIT
#include "dataset/ChosenName.h"

#include "base/Cp1251.h"
#include "base/Report.h"
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
        return Report::tr("The file name holds a control character (a line break, a tab or "
                          "another). Please rename the file.");
    case NameProblem::NotBareName:
        return Report::tr("Invalid file name: %1").arg(bareName);
    case NameProblem::NotCp1251:
        return Report::tr("The file name \"%1\" cannot be written in code page 1251. Please "
                          "rename the file.")
            .arg(bareName);
    }
    return {};
}

} // namespace chosenname

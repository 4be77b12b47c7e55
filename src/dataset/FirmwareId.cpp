// SPDX-License-Identifier: MIT
#include "dataset/FirmwareId.h"

#include "dataset/ChosenName.h"
#include "platform/FileOps.h"

#include <QCoreApplication>

namespace firmwareid {

bool namesFolder(const QString& id) {
    return fileops::isSafeBareName(id);
}

QString refusal(const QString& id) {
    if (id.trimmed().isEmpty()) {
        return QCoreApplication::translate("Report", "it holds no visible character");
    }
    switch (chosenname::problemOf(id)) {
    case chosenname::NameProblem::None:
        break;
    case chosenname::NameProblem::ControlCharacter:
        return QCoreApplication::translate("Report", "it holds a control character");
    case chosenname::NameProblem::NotBareName:
        return QCoreApplication::translate("Report",
                                           "it is \".\" or \"..\" or holds a path separator");
    case chosenname::NameProblem::NotCp1251:
        return QCoreApplication::translate("Report",
                                           "it holds a character code page 1251 cannot hold");
    }
    if (id.startsWith(QLatin1Char('.'))) {
        return QCoreApplication::translate("Report", "it begins with \".\"");
    }
    return {};
}

} // namespace firmwareid

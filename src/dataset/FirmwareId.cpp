// SPDX-License-Identifier: MIT
#include "dataset/FirmwareId.h"

#include "base/TarvexError.h"
#include "dataset/ChosenName.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QFileInfo>

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

QString newFolder(const QString& id, const QString& userFolder) {
    if (const QString why = refusal(id); !why.isEmpty()) {
        throw TarvexError(
            QCoreApplication::translate("Report", "\"%1\" cannot name a firmware folder: %2")
                .arg(id, why));
    }
    const QString folder = userFolder + QLatin1Char('/') + id;
    if (QFileInfo::exists(folder) || QFileInfo(folder).isSymLink()) {
        throw TarvexError(
            QCoreApplication::translate("Report", "The firmware %1 exists already: %2")
                .arg(id, folder));
    }
    return folder;
}

} // namespace firmwareid

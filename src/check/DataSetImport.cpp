#include "check/DataSetImport.h"

#include "base/TarvexError.h"
#include "check/DataSetCheck.h"
#include "dataset/BundledDataSets.h"
#include "dataset/ManagerInfo.h"
#include "platform/FileOps.h"

#include <QDir>
#include <QFileInfo>

namespace datasetimport {

Result run(const QString& dir, const QString& id, const QString& userFolder) {
    Result result;
    const QString data = datasetcheck::dataFolderOf(dir);
    result.id = id.isEmpty() ? QFileInfo(QFileInfo(data).absolutePath()).fileName() : id;
    if (!fileops::isSafeBareName(result.id) || result.id.startsWith(QLatin1Char('.'))) {
        throw TarvexError(QStringLiteral("\"%1\" cannot name a firmware folder").arg(result.id));
    }
    result.firmwareFolder = userFolder + QLatin1Char('/') + result.id;
    if (QFileInfo::exists(result.firmwareFolder)) {
        throw TarvexError(QStringLiteral("The firmware %1 exists already: %2")
                              .arg(result.id, result.firmwareFolder));
    }
    result.report = datasetcheck::run(data);
    if (result.report.errors() > 0) {
        return result;
    }
    // Built beside its place and renamed into it, so that a copy cut short
    // never looks like a firmware folder.
    const QString partial =
        userFolder + QStringLiteral("/.") + result.id + QStringLiteral(".import");
    QDir(partial).removeRecursively();
    bool copied =
        QDir().mkpath(userFolder) && bundled::copyTree(data, partial + QStringLiteral("/Data"));
    for (const ManagerInfo* info : managers::all()) {
        copied = copied && QDir().mkpath(partial + QLatin1Char('/') + info->workFolder);
    }
    if (!copied || QFileInfo::exists(result.firmwareFolder) ||
        !QDir().rename(partial, result.firmwareFolder)) {
        QDir(partial).removeRecursively();
        throw errors::cannotCreateFile(result.firmwareFolder);
    }
    result.imported = true;
    return result;
}

} // namespace datasetimport

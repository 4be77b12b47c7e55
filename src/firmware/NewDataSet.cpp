// SPDX-License-Identifier: MIT
#include "firmware/NewDataSet.h"

#include "base/TarvexError.h"
#include "check/DataSetImport.h"
#include "dataset/FirmwareId.h"
#include "firmware/FirmwareMatch.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace newdataset {

QString folderFor(const QString& id, const QString& userFolder) {
    if (const QString refusal = firmwareid::refusal(id); !refusal.isEmpty()) {
        throw TarvexError(
            QCoreApplication::translate("Report", "\"%1\" cannot name a firmware folder: %2")
                .arg(id, refusal));
    }
    const QString folder = userFolder + QLatin1Char('/') + id;
    if (QFileInfo::exists(folder) || QFileInfo(folder).isSymLink()) {
        throw TarvexError(
            QCoreApplication::translate("Report", "The firmware %1 exists already: %2")
                .arg(id, folder));
    }
    return folder;
}

bool addWhenMatching(const QString& stagingRoot, const FirmwareImage& image, const QString& id,
                     const QString& userFolder, Report& report) {
    FirmwareDataSet staged(stagingRoot);
    staged.readMemoryMap();
    staged.createSlotLists();
    staged.loadSlotLists();
    const firmwarematch::Result match = firmwarematch::run(staged, image);
    if (!match.matches()) {
        report = match.report;
        return false;
    }
    const datasetimport::Result imported = datasetimport::run(stagingRoot, id, userFolder);
    // What the caller found while placing (a changed patch carried as allowed) comes first.
    for (const Finding& f : imported.report.findings()) {
        if (f.error) {
            report.error(f.file, f.line, f.text);
        } else {
            report.warning(f.file, f.line, f.text);
        }
    }
    return imported.imported;
}

} // namespace newdataset

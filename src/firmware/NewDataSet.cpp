// SPDX-License-Identifier: MIT
#include "firmware/NewDataSet.h"

#include "check/DataSetImport.h"
#include "firmware/FirmwareMatch.h"

namespace newdataset {

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

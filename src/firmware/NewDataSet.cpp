// SPDX-License-Identifier: MIT
#include "firmware/NewDataSet.h"

#include "check/DataSetImport.h"
#include "firmware/FirmwareMatch.h"

namespace newdataset {

bool addWhenMatching(const QString& stagingRoot, const FirmwareImage& image, const QString& id,
                     const QString& userFolder, Report& report) {
    // The staged lists are let go before the import reads them again: a
    // draft of many slots holds one copy at a time.
    const firmwarematch::Result match = [&] {
        FirmwareDataSet staged(stagingRoot);
        staged.readMemoryMap();
        staged.createSlotLists();
        staged.loadSlotLists();
        return firmwarematch::run(staged, image);
    }();
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

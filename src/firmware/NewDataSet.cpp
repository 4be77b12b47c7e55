// SPDX-License-Identifier: MIT
#include "firmware/NewDataSet.h"

#include "firmware/FirmwareMatch.h"
#include "import/DataSetImport.h"

namespace newdataset {

namespace {

// The staged files' findings named by the folder they are added as, which
// the user can still open when reading them.
void addRenamed(const Report& staged, const QString& stagingRoot, const QString& folder,
                Report& report) {
    const auto renamed = [&](QString text) { return text.replace(stagingRoot, folder); };
    for (const Finding& f : staged.findings()) {
        if (f.error) {
            report.error(renamed(f.file), f.line, renamed(f.text));
        } else {
            report.warning(renamed(f.file), f.line, renamed(f.text));
        }
    }
}

} // namespace

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
    const QString folder = userFolder + QLatin1Char('/') + id;
    // What the match warns of holds for the added set as much as its errors.
    addRenamed(match.report, stagingRoot, folder, report);
    if (!match.matches()) {
        return false;
    }
    const datasetimport::Result imported = datasetimport::run(stagingRoot, id, userFolder);
    addRenamed(imported.report, stagingRoot, folder, report);
    return imported.imported;
}

} // namespace newdataset

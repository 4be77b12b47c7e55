// SPDX-License-Identifier: MIT
#include "check/MemoryMapCheck.h"

#include "dataset/DataSetLayout.h"
#include "dataset/NumericText.h"
#include "manager/AddressLayout.h"
#include "platform/IniFile.h"

#include <QCoreApplication>
#include <limits>

namespace memorymapcheck {

using numeric::hexAddress;

void run(const FirmwareDataSet& data, const QStringList& iniLines, Report& report) {
    const QString ini = data.dataFile(datasetlayout::kMemoryIni);
    const MemoryMap& map = data.memoryMap();
    // Start-up converts all six offsets and computes all three totals, also
    // for a manager whose page is off: any failure there stops it.
    bool allValid = true;
    for (const ManagerInfo* info : managers::all()) {
        const QString& section = info->iniSection;
        const std::int32_t reserve = info->afterStringTable ? map.stringTableSize : 0;
        const qint64 startLine = IniFile::lineOf(iniLines, section, memoryini::kRegionStartKey);
        std::int32_t values[2] = {};
        bool valid = true;
        for (int i = 0; i < 2; ++i) {
            const QString& key = i == 0 ? memoryini::kRegionStartKey : memoryini::kRegionEndKey;
            const QString& text = map.*(i == 0 ? info->regionStart : info->regionEnd);
            if (!numeric::tryToInt(text, values[i])) {
                valid = false;
                report.error(
                    ini, IniFile::lineOf(iniLines, section, key),
                    QCoreApplication::translate("Report", "[%1] %2 \"%3\" is not a valid integer")
                        .arg(section, key, text));
            }
        }
        const std::int64_t total = std::int64_t(values[1]) - values[0];
        if (valid && (total < std::numeric_limits<std::int32_t>::min() ||
                      total > std::numeric_limits<std::int32_t>::max() ||
                      total - reserve < std::numeric_limits<std::int32_t>::min())) {
            valid = false;
            report.error(ini, startLine,
                         QCoreApplication::translate("Report",
                                                     "the size of [%1] overflows 32 bits: "
                                                     "start-up stops with \"Integer overflow\"")
                             .arg(section));
        }
        allValid = allValid && valid;
    }
    if (!allValid) {
        return;
    }
    // Only the regions of the managers that are on: nothing is placed in the others.
    const std::vector<AddressSpan> regions = addresslayout::regions(data, iniLines);
    for (const AddressSpan& r : regions) {
        const std::int64_t start = std::int32_t(std::uint32_t(r.start));
        const std::int64_t end = std::int32_t(std::uint32_t(r.end));
        if (start > end) {
            report.error(r.file, r.line,
                         QCoreApplication::translate("Report", "the %1 starts at %2, after its "
                                                               "end %3")
                             .arg(r.label, hexAddress(r.start), hexAddress(r.end)));
            continue;
        }
        const std::int64_t reserve = r.manager->afterStringTable ? map.stringTableSize : 0;
        const std::int64_t total = end - start - reserve;
        // Every melody and Java build starts by working out start + Size.
        if (reserve < 0 || start + reserve > std::numeric_limits<std::int32_t>::max()) {
            report.error(
                data.dataFile(datasetlayout::kMemoryIni),
                IniFile::lineOf(iniLines, memoryini::kStringTableSection,
                                memoryini::kStringTableSizeKey),
                reserve < 0 ? QCoreApplication::translate(
                                  "Report", "[StringTable] Size %1 is negative: new files would be "
                                            "placed before the start of the %2")
                                  .arg(reserve)
                                  .arg(r.label)
                            : QCoreApplication::translate(
                                  "Report", "the start of the %1 plus [StringTable] Size passes "
                                            "32 bits: every build of its patch stops with "
                                            "\"Integer overflow\"")
                                  .arg(r.label));
        } else if (total < 0) {
            report.error(r.file, r.line,
                         QCoreApplication::translate("Report",
                                                     "the %1 leaves %2 bytes after the string "
                                                     "table")
                             .arg(r.label)
                             .arg(total));
        }
    }
}

} // namespace memorymapcheck

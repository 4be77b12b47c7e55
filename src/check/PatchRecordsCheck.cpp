// SPDX-License-Identifier: MIT
#include "check/PatchRecordsCheck.h"

#include "dataset/DataSetLayout.h"
#include "manager/AddressLayout.h"
#include "melodies/MelodyPatch.h"
#include "platform/IniFile.h"

#include <QCoreApplication>

namespace patchrecordscheck {

namespace {

QString recordWarning(const srec::SRecord& record) {
    if (record.isHeader()) {
        return QCoreApplication::translate("Report",
                                           "a header record (S0): it is copied into every patch");
    }
    if (!record.isData()) {
        return QCoreApplication::translate("Report",
                                           "an S%1 record: it is copied into every patch, and a "
                                           "loader that stops at the first end record drops the "
                                           "rest")
            .arg(record.type);
    }
    return {};
}

} // namespace

std::vector<AddressSpan> run(const FirmwareDataSet& data, const QStringList& iniLines,
                             Report& report) {
    // "Patch64K=" with nothing after it: the firmware needs no such patch
    // (a data set drafted from a firmware cannot know one).
    if (data.isAvailable(managers::melodies())) {
        if (const QString problem = patch64KProblem(data.memoryMap()); !problem.isEmpty()) {
            report.error(
                data.dataFile(datasetlayout::kMemoryIni),
                IniFile::lineOf(iniLines, memoryini::kPatchesSection, memoryini::kPatch64KKey),
                problem);
        }
    }
    return addresslayout::fixedRecords(
        data, iniLines,
        [&](const QString& file, const srec::SRecordReader::Line& line) {
            if (line.empty) {
                report.warning(file, line.number,
                               QCoreApplication::translate("Report", "an empty line"));
            } else if (!line.error.isEmpty()) {
                report.error(file, line.number, line.error);
            } else if (const QString warning = recordWarning(line.record); !warning.isEmpty()) {
                report.warning(file, line.number, warning);
            }
        },
        [&](const QString& file) {
            report.error(file, 0, QCoreApplication::translate("Report", "cannot be read"));
        });
}

} // namespace patchrecordscheck

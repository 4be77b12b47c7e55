// SPDX-License-Identifier: MIT
#include "check/DataSetCheck.h"

#include "base/ReportLanguage.h"
#include "base/TarvexError.h"
#include "check/AddressLayoutCheck.h"
#include "check/ListsCheck.h"
#include "check/MemoryMapCheck.h"
#include "check/PatchRecordsCheck.h"
#include "check/SlotFilesCheck.h"
#include "dataset/DataSetLayout.h"
#include "dataset/ListFile.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace datasetcheck {

QString dataFolderOf(const QString& dir) {
    const QString inner = datasetlayout::dataFolder(dir);
    return QFileInfo(inner).isDir() ? QDir(inner).absolutePath() : QDir(dir).absolutePath();
}

Report run(const QString& dataFolder) {
    Report report;
    const QFileInfo folder(dataFolder);
    if (!folder.isDir() || folder.fileName() != datasetlayout::kDataFolder) {
        report.error(dataFolder, 0,
                     QCoreApplication::translate("Report",
                                                 "not a data set: expected a folder named "
                                                 "\"Data\" holding the lists and Memory.ini, or a "
                                                 "firmware folder holding one"));
        return report;
    }
    FirmwareDataSet data(folder.absolutePath());
    QStringList iniLines;
    const QString ini = data.dataFile(datasetlayout::kMemoryIni);
    QString reason;
    QFile file;
    const fileops::Opened opened = fileops::openForReading(file, ini, &reason);
    if (opened == fileops::Opened::Ok) {
        iniLines = listfile::decode(file.readAll());
    } else if (opened == fileops::Opened::Unreadable) {
        report.error(ini, 0, reportlanguage::cannotBeRead(reason));
    }
    try {
        data.readMemoryMap();
    } catch (const TarvexError&) {
        // Reported above; the defaults stand in so the lists are still checked.
    }
    listscheck::load(data, report);
    memorymapcheck::run(data, iniLines, report);
    listscheck::run(data, report);
    std::vector<AddressSpan> fixedRecords = patchrecordscheck::run(data, iniLines, report);
    addresslayoutcheck::run(data, iniLines, std::move(fixedRecords), report);
    slotfilescheck::run(data, report);
    return report;
}

} // namespace datasetcheck

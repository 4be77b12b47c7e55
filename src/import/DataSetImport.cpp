// SPDX-License-Identifier: MIT
#include "import/DataSetImport.h"

#include "base/TarvexError.h"
#include "check/DataSetCheck.h"
#include "dataset/DataSetLayout.h"
#include "dataset/DataSetWriter.h"
#include "dataset/FirmwareDataSet.h"
#include "dataset/FirmwareId.h"
#include "dataset/ListFile.h"
#include "dataset/TreeCopy.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace datasetimport {

namespace {

// A link or anything but a plain file, reported and not copied.
treecopy::Skipped skippedInto(Result& result) {
    return [&result](const QFileInfo& source) {
        result.skipped.append(source.filePath());
        result.report.warning(
            source.filePath(), 0,
            source.isSymLink()
                ? QCoreApplication::translate("Report",
                                              "a link: not copied (only plain files are imported)")
                : QCoreApplication::translate("Report", "not a plain file: not copied"));
    };
}

// The working copies the staged lists name, from the source's working folders.
void copyWorkingCopies(const QString& sourceFirmware, const QString& staged, Result& result) {
    FirmwareDataSet data(staged);
    data.readMemoryMap();
    for (const ManagerInfo* info : managers::all()) {
        const QString folder = staged + QLatin1Char('/') + info->workFolder;
        treecopy::makeFolder(folder);
        const QString list = data.dataFile(info->filesList);
        if (!data.isAvailable(*info) || !fileops::exists(list)) {
            continue;
        }
        const QFileInfo sourceFolder(sourceFirmware + QLatin1Char('/') + info->workFolder);
        if (sourceFolder.isSymLink()) {
            treecopy::copyFile(sourceFolder, folder, skippedInto(result)); // reported, not followed
            continue;
        }
        for (const QString& name : listfile::load(list)) {
            const QFileInfo source(sourceFirmware + QLatin1Char('/') + info->workFolder +
                                   QLatin1Char('/') + name);
            if (name == info->placeholder || !fileops::isSafeBareName(name) ||
                QFileInfo::exists(folder + QLatin1Char('/') + name) ||
                (!source.exists() && !source.isSymLink())) {
                continue; // a missing copy is the check's to report
            }
            treecopy::copyFile(source, folder + QLatin1Char('/') + name, skippedInto(result));
        }
    }
}

// The staged copy's findings, named by the source's paths.
void addFindings(const Report& staged, const QString& stagingFolder, const QString& sourceData,
                 const QString& sourceFirmware, Report& report) {
    auto source = [&](QString text) {
        text.replace(datasetlayout::dataFolder(stagingFolder), sourceData);
        return text.replace(stagingFolder, sourceFirmware);
    };
    for (const Finding& f : staged.findings()) {
        if (f.error) {
            report.error(source(f.file), f.line,
                         QCoreApplication::translate("Report",
                                                     "in the copy, without what was not copied: %1")
                             .arg(source(f.text)));
        }
    }
}

} // namespace

Result run(const QString& dir, const QString& id, const QString& userFolder) {
    Result result;
    const QString data = datasetcheck::dataFolderOf(dir);
    if (!QFileInfo(data).isDir() || QFileInfo(data).fileName() != datasetlayout::kDataFolder) {
        throw TarvexError(QCoreApplication::translate(
                              "Report",
                              "%1 is not a data set: expected a firmware folder holding a "
                              "\"Data\" folder, or a \"Data\" folder itself")
                              .arg(QDir::toNativeSeparators(dir)));
    }
    const QString sourceFirmware = QFileInfo(data).absolutePath();
    result.id = id.isEmpty() ? QFileInfo(sourceFirmware).fileName() : id;
    result.firmwareFolder = firmwareid::newFolder(result.id, userFolder);
    result.report = datasetcheck::run(data);
    if (result.report.errors() > 0) {
        return result;
    }
    treecopy::makeFolder(userFolder);
    DataSetWriter writer(userFolder, result.id);
    writer.begin();
    firmwareid::newFolder(result.id, userFolder); // another import may have finished meanwhile
    writer.copyData(data, skippedInto(result));
    copyWorkingCopies(sourceFirmware, writer.root(), result);
    // What was left behind may be what the data set needs.
    addFindings(datasetcheck::run(writer.dataFolder()), writer.root(), data, sourceFirmware,
                result.report);
    if (result.report.errors() > 0) {
        return result;
    }
    writer.install(result.firmwareFolder);
    result.imported = true;
    return result;
}

} // namespace datasetimport

// SPDX-License-Identifier: MIT
#include "check/DataSetImport.h"

#include "base/TarvexError.h"
#include "check/DataSetCheck.h"
#include "dataset/ChosenName.h"
#include "dataset/FirmwareDataSet.h"
#include "dataset/ImportStaging.h"
#include "dataset/ListFile.h"
#include "dataset/ListJournal.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace datasetimport {

namespace {

// Copies one plain file; a link or anything else is reported and skipped.
void copyPlainFile(const QFileInfo& source, const QString& target, Result& result) {
    if (source.isSymLink() || !source.isFile()) {
        result.skipped.append(source.filePath());
        result.report.warning(
            source.filePath(), 0,
            source.isSymLink()
                ? QCoreApplication::translate("Report",
                                              "a link: not copied (only plain files are imported)")
                : QCoreApplication::translate("Report", "not a plain file: not copied"));
        return;
    }
    QString reason;
    if (!fileops::copyReplacing(source.filePath(), target, &reason)) {
        if (reason.isEmpty()) {
            QFile file(source.filePath());
            file.open(QIODevice::ReadOnly);
            throw errors::cannotOpenFile(source.filePath(), file.errorString());
        }
        throw errors::cannotCreateFile(target, reason);
    }
}

void makeFolder(const QString& path) {
    errno = 0;
    if (!QDir().mkpath(path)) {
        throw errors::cannotCreateFile(path, QString::fromLocal8Bit(std::strerror(errno)));
    }
}

} // namespace

// The folder's tree, plain files only; links to folders are not entered.
void copyDataFolder(const QString& from, const QString& to, Result& result) {
    makeFolder(to);
    const ListJournal journal(from);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QFileInfo info = it.fileInfo();
        const QString relative = source.mid(from.size() + 1);
        const QString target = to + QLatin1Char('/') + relative;
        const bool topLevel = !relative.contains(QLatin1Char('/'));
        if (topLevel &&
            (relative.startsWith(QLatin1Char('.')) || relative.endsWith(QLatin1String(".new")))) {
            continue; // a save's marker and new lists, temporary files
        }
        if (info.isDir() && !info.isSymLink()) {
            makeFolder(target);
        } else if (topLevel && journal.pathToRead(relative) != source) {
            copyPlainFile(QFileInfo(journal.pathToRead(relative)), target, result);
        } else {
            copyPlainFile(info, target, result);
        }
    }
}

namespace {

// The working copies the staged lists name, from the source's working folders.
void copyWorkingCopies(const QString& sourceFirmware, const QString& staged, Result& result) {
    FirmwareDataSet data(staged);
    data.readMemoryMap();
    for (const ManagerInfo* info : managers::all()) {
        const QString folder = staged + QLatin1Char('/') + info->workFolder;
        makeFolder(folder);
        const QString list = data.dataFile(info->filesList);
        if (!data.isAvailable(*info) || !fileops::exists(list)) {
            continue;
        }
        const QFileInfo sourceFolder(sourceFirmware + QLatin1Char('/') + info->workFolder);
        if (sourceFolder.isSymLink()) {
            copyPlainFile(sourceFolder, folder, result); // reported, not followed
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
            copyPlainFile(source, folder + QLatin1Char('/') + name, result);
        }
    }
}

// The staged copy's findings, named by the source's paths.
void addFindings(const Report& staged, const QString& stagingFolder, const QString& sourceData,
                 const QString& sourceFirmware, Report& report) {
    auto source = [&](QString text) {
        text.replace(stagingFolder + QStringLiteral("/Data"), sourceData);
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

QString idRefusal(const QString& id) {
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

Result run(const QString& dir, const QString& id, const QString& userFolder) {
    Result result;
    const QString data = datasetcheck::dataFolderOf(dir);
    if (!QFileInfo(data).isDir() || QFileInfo(data).fileName() != QLatin1String("Data")) {
        throw TarvexError(QCoreApplication::translate(
                              "Report",
                              "%1 is not a data set: expected a firmware folder holding a "
                              "\"Data\" folder, or a \"Data\" folder itself")
                              .arg(QDir::toNativeSeparators(dir)));
    }
    const QString sourceFirmware = QFileInfo(data).absolutePath();
    result.id = id.isEmpty() ? QFileInfo(sourceFirmware).fileName() : id;
    if (const QString why = idRefusal(result.id); !why.isEmpty()) {
        throw TarvexError(
            QCoreApplication::translate("Report", "\"%1\" cannot name a firmware folder: %2")
                .arg(result.id, why));
    }
    result.firmwareFolder = userFolder + QLatin1Char('/') + result.id;
    auto refuseExisting = [&] {
        if (QFileInfo::exists(result.firmwareFolder) ||
            QFileInfo(result.firmwareFolder).isSymLink()) {
            throw TarvexError(
                QCoreApplication::translate("Report", "The firmware %1 exists already: %2")
                    .arg(result.id, result.firmwareFolder));
        }
    };
    refuseExisting();
    result.report = datasetcheck::run(data);
    if (result.report.errors() > 0) {
        return result;
    }
    makeFolder(userFolder);
    ImportStaging staging(userFolder, result.id);
    staging.begin();
    refuseExisting(); // another import may have finished meanwhile
    copyDataFolder(data, staging.folder() + QStringLiteral("/Data"), result);
    copyWorkingCopies(sourceFirmware, staging.folder(), result);
    // What was left behind may be what the data set needs.
    addFindings(datasetcheck::run(staging.folder() + QStringLiteral("/Data")), staging.folder(),
                data, sourceFirmware, result.report);
    if (result.report.errors() > 0) {
        return result;
    }
    staging.putInPlace(result.firmwareFolder);
    result.imported = true;
    return result;
}

} // namespace datasetimport

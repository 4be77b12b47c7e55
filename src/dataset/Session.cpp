// SPDX-License-Identifier: MIT
#include "dataset/Session.h"

#include "base/Report.h"
#include "base/TarvexError.h"
#include "dataset/BundledDataSets.h"
#include "dataset/DataSetLayout.h"
#include "dataset/FirmwareId.h"
#include "dataset/ImportStaging.h"
#include "platform/AppDataFolder.h"
#include "platform/DataSetLock.h"
#include "platform/FileOps.h"
#include "platform/FindFiles.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

Session::Session(SessionOptions options)
    : options_(std::move(options)), dataSet_(std::make_unique<FirmwareDataSet>(QString())) {}

Session::~Session() = default;

QString Session::scanFirmwareFolders(const QString& userFolder) {
    FileSearch find;
    find.directory = userFolder;
    find.fileMask = QStringLiteral("*");
    find.dirsOnly = true;
    find.includeDirs = true;
    find.run();
    QString list;
    for (const QString& name : find.files) {
        list += name + QStringLiteral("\r\n");
    }
    return list;
}

void Session::start() {
    userFolder_ = options_.userFolder;
    if (userFolder_.isEmpty()) {
        const QString appData = appDataFolder();
        if (appData.isEmpty()) {
            throw TarvexError(QCoreApplication::translate(
                "Report", "Cannot find the folder for the user's data: HOME is not set and "
                          "XDG_DATA_HOME is not an absolute path"));
        }
        userFolder_ = appData + QStringLiteral("/Tarvex");
    }
    // The application-data folder always exists on Windows; on a fresh Linux
    // account ~/.local/share may not, so the whole path is created.
    QDir().mkpath(userFolder_);
    ImportStaging::removeLeftovers(userFolder_);
    bundled::installMissing(bundledRoot(), userFolder_);

    settings_ = readFirmwareSettings(SettingsStore());
    settings_.folderList = scanFirmwareFolders(userFolder_);
    if (!options_.firmwareOverride.isEmpty()) {
        settings_.currentId = options_.firmwareOverride;
    }
    firmwareFolder_ = userFolder_ + QLatin1Char('/') + settings_.currentId;
    dataSet_ = std::make_unique<FirmwareDataSet>(firmwareFolder_);
    if (!firmwareid::namesFolder(settings_.currentId)) {
        // The data set such an id names is not looked for at all, so nothing
        // outside the user folder is read or created.
        throw errors::cannotOpenFile(
            dataSet_->dataFile(managers::melodies().loadOrder.first()),
            QCoreApplication::translate("Report", "the firmware id \"%1\" is not a folder name")
                .arg(settings_.currentId));
    }
    if (options_.existingFirmwareOnly && !QFileInfo(firmwareFolder_).isDir()) {
        throw noSuchFirmware(settings_.currentId, userFolder_);
    }
    if (options_.forWriting) {
        lock();
    }
    if (!isReadOnly()) {
        for (const ManagerInfo* info : managers::all()) {
            fileops::createFolder(dataSet_->workFolder(*info));
        }
    }
    reached_ = Step::Folders;

    dataSet_->readMemoryMap();
    reached_ = Step::MemoryMap;
    dataSet_->computeTotals();
    reached_ = Step::Totals;
    dataSet_->createSlotLists();
    reached_ = Step::ListsCreated;
    if (lock_ && lock_->isLocked()) {
        dataSet_->recoverInterruptedSave();
    } else if (!options_.forWriting) {
        finishSaveIfFree();
    }
    dataSet_->loadSlotLists();
    reached_ = Step::ListsLoaded;
    if (lock_ && lock_->isLocked()) {
        dataSet_->dropUnnamedWorkingCopies();
    }
}

QString Session::bundledRoot() const {
    return options_.bundledRoot.isEmpty() ? bundled::findRoot(options_.programFolder)
                                          : options_.bundledRoot;
}

TarvexError Session::noSuchFirmware(const QString& id, const QString& userFolder) {
    QStringList ids;
    for (const QString& name : QDir(userFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (QFileInfo(datasetlayout::dataFolder(userFolder + QLatin1Char('/') + name)).isDir()) {
            ids.append(name);
        }
    }
    return TarvexError(
        Report::tr("There is no firmware %1 in %2; %3")
            .arg(id, userFolder,
                 ids.isEmpty() ? Report::tr("it holds none")
                               : Report::tr("it holds: %1").arg(ids.join(QStringLiteral(", ")))));
}

void Session::finishSaveIfFree() {
    // A reader finishes a save a kill cut short when nobody holds the data
    // set, so that the lists on disk are in step for whatever reads them
    // next (a copy, an import, another program); while a writer is at work,
    // or when the save cannot be finished, it reads through the journal.
    DataSetLock lock(firmwareFolder_);
    if (lock.tryLock() == DataSetLock::Result::Locked) {
        try {
            dataSet_->recoverInterruptedSave();
        } catch (const TarvexError&) {
            // Left for a writer to report; the lists are read as they stand.
        }
    }
}

void Session::lock() {
    lock_ = std::make_unique<DataSetLock>(firmwareFolder_);
    switch (lock_->tryLock()) {
    case DataSetLock::Result::Locked:
        return;
    case DataSetLock::Result::HeldByOther:
        lockHolder_ = lock_->holderText();
        if (options_.readOnlyWhenHeld) {
            return;
        }
        throw TarvexError(QCoreApplication::translate("Report",
                                                      "The data set %1 is in use by %2: it can be "
                                                      "changed again once that has finished")
                              .arg(firmwareFolder_, *lockHolder_));
    case DataSetLock::Result::NotALockFile:
        throw TarvexError(lock_->problem());
    case DataSetLock::Result::Failed:
        // No lock file can be made where there is no firmware folder; the
        // first list then fails to load, and nothing is written.
        return;
    }
}

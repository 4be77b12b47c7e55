#include "dataset/Session.h"

#include "dataset/BundledDataSets.h"
#include "platform/AppDataFolder.h"
#include "platform/FileOps.h"
#include "platform/FindFiles.h"
#include "platform/SettingsStore.h"

#include <QDir>

Session::Session(SessionOptions options)
    : options_(std::move(options)), dataSet_(std::make_unique<FirmwareDataSet>(QString())) {}

QString Session::scanFirmwareFolders(const QString& userFolder) {
    TFindFiles find;
    find.Directory = userFolder;
    find.FileMask = QStringLiteral("*");
    find.DirsOnly = true;
    find.IncludeDirs = true;
    find.Search();
    QString list;
    for (const QString& name : find.Files) {
        list += name + QStringLiteral("\r\n");
    }
    return list;
}

void Session::start() {
    userFolder_ = options_.userFolder.isEmpty() ? GetAppDataFolder() + QStringLiteral("/Tarvex")
                                                : options_.userFolder;
    // The application-data folder always exists on Windows; on a fresh Linux
    // account ~/.local/share may not, so the whole path is created.
    QDir().mkpath(userFolder_);
    const QString bundledRoot = options_.bundledRoot.isEmpty()
                                    ? bundled::findRoot(options_.programFolder)
                                    : options_.bundledRoot;
    bundled::installMissing(bundledRoot, userFolder_);

    settings_ = ReadFirmwareSettings(SettingsStore());
    settings_.folderList = scanFirmwareFolders(userFolder_);
    if (!options_.firmwareOverride.isEmpty()) {
        settings_.currentId = options_.firmwareOverride;
    }
    firmwareFolder_ = userFolder_ + QLatin1Char('/') + settings_.currentId;
    dataSet_ = std::make_unique<FirmwareDataSet>(firmwareFolder_);
    for (const ManagerInfo* info : managers::all()) {
        fileops::createFolder(dataSet_->workFolder(*info));
    }
    reached_ = Step::Folders;

    dataSet_->readMemoryMap();
    reached_ = Step::MemoryMap;
    dataSet_->computeTotals();
    reached_ = Step::Totals;
    dataSet_->createSlotLists();
    reached_ = Step::ListsCreated;
    dataSet_->loadSlotLists();
    reached_ = Step::ListsLoaded;
}

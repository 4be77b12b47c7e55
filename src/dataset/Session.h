#pragma once

#include "dataset/FirmwareDataSet.h"
#include "dataset/FirmwareSettings.h"

#include <QString>
#include <memory>

// Where a run finds its folders and data set, for the window and the command line.
struct SessionOptions {
    QString userFolder;       // empty: the application-data folder + "/Tarvex"
    QString firmwareOverride; // empty: the remembered "CurFW"
    QString programFolder;    // the folder of the program file
    QString bundledRoot;      // empty: looked up beside the program
};

// The headless part of start-up: user folder, firmware settings, the scan of
// firmware folders, working folders, memory map and totals, and the slot lists.
// A failing step raises its error and leaves the steps after it undone; what
// was reached stays available (the window still opens on it).
class Session {
public:
    enum class Step { NotStarted, Folders, MemoryMap, Totals, ListsCreated, ListsLoaded };

    explicit Session(SessionOptions options);

    void start();

    Step reached() const { return reached_; }
    bool isLoaded() const { return reached_ == Step::ListsLoaded; }

    QString userFolder() const { return userFolder_; }
    QString firmwareFolder() const { return firmwareFolder_; }
    QString programFolder() const { return options_.programFolder; }
    const FirmwareSettings& firmwareSettings() const { return settings_; }
    FirmwareSettings& firmwareSettings() { return settings_; }

    FirmwareDataSet& dataSet() { return *dataSet_; }
    const FirmwareDataSet& dataSet() const { return *dataSet_; }

    // The user folder's firmware folders as the folder list: each name + CR LF.
    static QString scanFirmwareFolders(const QString& userFolder);

private:
    SessionOptions options_;
    Step reached_ = Step::NotStarted;
    QString userFolder_;
    QString firmwareFolder_;
    FirmwareSettings settings_;
    std::unique_ptr<FirmwareDataSet> dataSet_;
};

// SPDX-License-Identifier: MIT
#pragma once

#include "base/TarvexError.h"
#include "dataset/FirmwareDataSet.h"
#include "dataset/FirmwareSettings.h"

#include <QString>
#include <memory>
#include <optional>

class DataSetLock;

// Where a run finds its folders and data set, for the window and the command line.
struct SessionOptions {
    QString userFolder;       // empty: the application-data folder + "/Tarvex"
    QString firmwareOverride; // empty: the remembered "CurFW"
    QString programFolder;    // the folder of the program file
    QString bundledRoot;      // empty: looked up beside the program
    // A run that may change the data set takes its lock first, and finishes
    // a save a kill interrupted; a reading run does neither.
    bool forWriting = false;
    // A writing run that finds the lock held goes on reading instead of
    // failing: it writes nothing to the data set (the window's second copy).
    bool readOnlyWhenHeld = false;
    // The command line names a missing firmware and the ones there are; the
    // window opens on whatever loads.
    bool existingFirmwareOnly = false;
};

// The headless part of start-up: user folder, firmware settings, the scan of
// firmware folders, working folders, memory map and totals, and the slot lists.
// A failing step raises its error and leaves the steps after it undone; what
// was reached stays available (the window still opens on it).
class Session {
public:
    enum class Step { NotStarted, Folders, MemoryMap, Totals, ListsCreated, ListsLoaded };

    explicit Session(SessionOptions options);
    ~Session();

    // Raises "Cannot open file %s" for a firmware id that is not a folder
    // name, without creating anything; raises when the user folder cannot be
    // found, and, for writing, when another process holds the data set's lock.
    void start();

    // Who holds the data set when start() was refused its lock.
    std::optional<QString> lockHolder() const { return lockHolder_; }
    // Started for writing, but another process held the data set: it was
    // read and must not be written.
    bool isReadOnly() const { return lockHolder_.has_value() && options_.readOnlyWhenHeld; }

    Step reached() const { return reached_; }
    bool isLoaded() const { return reached_ == Step::ListsLoaded; }

    QString userFolder() const { return userFolder_; }
    QString firmwareFolder() const { return firmwareFolder_; }
    QString programFolder() const { return options_.programFolder; }
    // Where the shipped demonstration data sets lie; empty when none is found.
    QString bundledRoot() const;
    const FirmwareSettings& firmwareSettings() const { return settings_; }
    FirmwareSettings& firmwareSettings() { return settings_; }

    FirmwareDataSet& dataSet() { return *dataSet_; }
    const FirmwareDataSet& dataSet() const { return *dataSet_; }

    // The user folder's firmware folders as the folder list: each name + CR LF.
    static QString scanFirmwareFolders(const QString& userFolder);
    // "There is no firmware ID in FOLDER", naming the ones there are.
    static TarvexError noSuchFirmware(const QString& id, const QString& userFolder);

private:
    void lock();
    void finishSaveIfFree();

    SessionOptions options_;
    Step reached_ = Step::NotStarted;
    QString userFolder_;
    QString firmwareFolder_;
    FirmwareSettings settings_;
    std::unique_ptr<FirmwareDataSet> dataSet_;
    std::unique_ptr<DataSetLock> lock_;
    std::optional<QString> lockHolder_;
};

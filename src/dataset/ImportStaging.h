// SPDX-License-Identifier: MIT
#pragma once

#include "platform/FileOps.h"

#include <QString>
#include <QStringList>
#include <memory>

class DataSetLock;

// The folder a data set is imported into, ".ID.import" in the user folder,
// renamed into place only once it is complete, so that a copy cut short
// never looks like a firmware folder. A lock (".ID.import.lock") tells a
// second import of the same id that the first is still at work, and tells a
// leftover of a killed import from a staging folder in use.
//
// The same serves every folder a command makes whole before it shows it: a
// port stages its data set as ".ID.port" in the user folder (a draft as
// ".ID.draft"), an extract its
// output as ".NAME.extract" beside the folder NAME it makes.
class ImportStaging {
public:
    // suffix: one of the staging names fileops::staging declares.
    ImportStaging(const QString& userFolder, const QString& id,
                  const QString& suffix = fileops::staging::kImport);
    // Removes the folder unless it was put in place (a link found in its
    // place goes as a link, never what it leads to); releases the lock.
    ~ImportStaging();
    ImportStaging(const ImportStaging&) = delete;
    ImportStaging& operator=(const ImportStaging&) = delete;

    // Takes the lock and creates an empty staging folder, clearing what a
    // killed import left. Raises "The firmware %1 is being imported by
    // another process", or "Cannot create file %s" with the system's reason.
    void begin();
    QString folder() const { return folder_; }
    // Renames the staging folder to target; raises "Cannot create file %s"
    // with the system's reason.
    void putInPlace(const QString& target);

    // Removes the staging folders and locks of imports and ports that were
    // killed; those still at work are left alone.
    static void removeLeftovers(const QString& userFolder);
    // The same for the staging folder of one name and suffix.
    static void removeLeftover(const QString& parent, const QString& name, const QString& suffix);

private:
    QString id_;
    QString suffix_;
    QString folder_;
    std::unique_ptr<DataSetLock> lock_;
    bool placed_ = false;
};

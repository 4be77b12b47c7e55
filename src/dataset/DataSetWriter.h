// SPDX-License-Identifier: MIT
#pragma once

#include "dataset/ImportStaging.h"
#include "dataset/ManagerInfo.h"
#include "dataset/TreeCopy.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// The one writer of a data set's files: a new data set is written into a
// staging folder (".ID.import", ".ID.port", ".ID.draft" in the user folder),
// every file replaced whole, and renamed into place only once it is complete.
// Lists are written as the list format (CR LF after every line), Memory.ini
// and the required patches as text lines the same way.
class DataSetWriter {
public:
    DataSetWriter(const QString& userFolder, const QString& id,
                  const QString& suffix = fileops::staging::kImport);

    // Takes the staging folder (raising as ImportStaging::begin does) and
    // makes its empty "Data"; raises "Cannot create file %s".
    void begin();
    QString root() const { return staging_.folder(); } // holds "Data"
    QString dataFolder() const;

    // Copies the Data folder `from` as it stands once its last save is
    // finished; what is not a plain file goes to skipped.
    void copyData(const QString& from, const treecopy::Skipped& skipped) const;

    // A list or another file of Data by its name; raises "Cannot create file %s".
    void writeList(const QString& name, const QStringList& lines) const;
    void writeFile(const QString& name, const QByteArray& bytes) const;

    // A manager whose every slot holds its standard resource: the table
    // addresses and standard entries (as the lists hold them), each file a
    // placeholder of size 0, and its new names, when it keeps them apart, the
    // standard ones.
    void writeStandardSlots(const ManagerInfo& info, const QStringList& tables,
                            const QStringList& entries, const QStringList& names) const;
    // The volume bytes' addresses and values; the standard volumes are the current ones.
    void writeVolumes(const QStringList& offsets, const QStringList& standard) const;
    void writeMemoryIni(const QStringList& lines) const;
    // Pic/N.jpg from 1, the folder made even when there is none.
    void writePreviews(const std::vector<QByteArray>& jpegs) const;
    void makeRequiredPatchFolder() const; // raises "Cannot create file %s"
    // ReqPatches/name; its folder comes from the copy, or is made first.
    void writeRequiredPatch(const QString& name, const QStringList& lines) const;

    // Renames the staging folder to target; raises "Cannot create file %s".
    void install(const QString& target) { staging_.putInPlace(target); }

    // The previews of a data set, replaced one by one in its Data folder.
    static void writePreviewsInto(const QString& dataFolder, const std::vector<QByteArray>& jpegs);

private:
    QString path(const QString& name) const;

    ImportStaging staging_;
};

// SPDX-License-Identifier: MIT
#pragma once

#include "dataset/ManagerInfo.h"
#include "dataset/MemoryMap.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <set>

// One firmware's data set: the memory map, the three totals and the slot
// lists of the available managers. The lists are also the user's state: the
// changeable ones are written back after every change.
class ListJournal;

class FirmwareDataSet {
public:
    explicit FirmwareDataSet(const QString& firmwareFolder);

    QString firmwareFolder() const { return firmwareFolder_; }
    QString dataFolder() const;
    QString dataFile(const QString& name) const;
    QString workFolder(const ManagerInfo& info) const;
    QString workFile(const ManagerInfo& info, const QString& bareName) const;
    // Raises when the manager's working folder is a link or something other
    // than a folder:
    // nothing may then be written into it or deleted from it.
    void requirePlainWorkFolder(const ManagerInfo& info) const;
    // The same for any folder of the data set that is written into (Pic).
    void requirePlainFolder(const QString& folder) const;

    void readMemoryMap();
    void computeTotals();
    const MemoryMap& memoryMap() const { return map_; }
    const MemoryTotals& totals() const { return totals_; }
    std::int32_t total(const ManagerInfo& info) const;
    bool isAvailable(const ManagerInfo& info) const { return map_.*info.available; }
    bool volumesAvailable() const;

    // Empty lists for every available manager (nine for melodies).
    void createSlotLists();
    // Reads the lists and help texts of every available manager; raises
    // "Cannot open file %s" at the first file that cannot be read.
    void loadSlotLists();
    // The lists loadSlotLists reads for an available manager, in order.
    QStringList listsToLoad(const ManagerInfo& info) const;
    // Where reading a list stopped short, from 1 (0 for not): at a NUL, and
    // at the first line cut at listfile::kLongestLine.
    struct ListRead {
        qsizetype nulLine = 0;
        qsizetype longLine = 0;
    };
    // Reads one list as loadSlotLists does, through the journal's view of
    // the folder; raises "Cannot open file %s" naming the list.
    ListRead loadList(const ListJournal& journal, const QString& name);
    // Writes the changeable lists of every available manager, all or none
    // (see ListJournal); raises "Cannot create file %s" when one cannot be
    // written. A list cut at a NUL is left as it is on disk.
    void saveSlotLists() const;
    // Where a new working copy is written: beside its place, which it takes
    // with the next save of the lists, so that a kill never leaves a slot
    // naming a copy its size does not describe.
    QString stageWorkFile(const ManagerInfo& info, const QString& bareName) const;
    // A copy put into its working folder under a name no slot had: it
    // belongs to the next save, and a failed save removes it.
    void notePlacedCopy(const ManagerInfo& info, const QString& bareName) const;
    // Finishes or drops a save a kill interrupted; for the lock holder only.
    void recoverInterruptedSave() const;
    // After the lists are loaded, for the lock holder only: removes from each
    // plain working folder the files no slot names, as a kill between a copy
    // and its save leaves them.
    void dropUnnamedWorkingCopies() const;
    // The lists written back by saveSlotLists, in order.
    QStringList changeableLists() const;

    // A list that could not be read whole: a NUL ends its text, or a line is
    // longer than any list line (cut at listfile::kLongestLine). It is never
    // written back, and its manager changes nothing.
    struct CutList {
        QString list;
        qsizetype line = 0; // from 1
        bool nul = true;    // else a line too long
    };
    QList<CutList> cutLists() const;
    // The refusal of a change to the manager while one of its lists is cut,
    // naming the file and line; empty when none is.
    QString cutRefusal(const ManagerInfo& info) const;
    void releaseLists(const ManagerInfo& info);

    bool hasList(const QString& name) const { return lists_.count(name) != 0; }
    // Whether the list holds what its file held (not merely created empty).
    bool isLoaded(const QString& name) const { return loaded_.count(name) != 0; }
    const QStringList& list(const QString& name) const;
    // Line i of a list; raises "List index out of bounds (%d)" past its end.
    QString line(const QString& listName, qsizetype i) const;
    void setLine(const QString& listName, qsizetype i, const QString& value);
    qsizetype slotCount(const ManagerInfo& info) const;

    QByteArray helpText(const ManagerInfo& info) const;

    // For tests and tools that build a data set in memory.
    void setMemoryMap(const MemoryMap& map) { map_ = map; }
    void setList(const QString& name, const QStringList& lines);

private:
    QStringList& mutableList(const QString& name);
    QStringList managerLists(const ManagerInfo& info) const;

    QString firmwareFolder_;
    MemoryMap map_;
    MemoryTotals totals_;
    std::map<QString, QStringList> lists_;
    std::set<QString> loaded_; // only these are written back
    std::map<QString, CutList> cuts_;
    mutable QStringList stagedCopies_; // journal entries taken by the next save
    mutable QStringList placedCopies_; // paths of copies the next save names
    std::map<QString, QByteArray> helpTexts_;
};

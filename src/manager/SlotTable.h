// SPDX-License-Identifier: MIT
#pragma once

#include "base/TarvexError.h"
#include "dataset/FirmwareDataSet.h"
#include "dataset/ManagerInfo.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

// One resource manager's slots over the data set's parallel lists: row i is
// slot i of every list. What the three managers share lives here once; the
// window and the command line both call it, so both change the lists alike.
class SlotTable {
public:
    SlotTable(FirmwareDataSet& data, const ManagerInfo& info);

    const ManagerInfo& info() const { return info_; }
    FirmwareDataSet& data() { return data_; }
    const FirmwareDataSet& data() const { return data_; }
    bool isAvailable() const { return data_.isAvailable(info_); }
    qsizetype slotCount() const { return data_.slotCount(info_); }

    // The list-view columns of a slot: caption first, then the sub-items.
    // Reading stops at the first missing line: `columns` holds what was read
    // and `error` the list index error.
    struct Row {
        QStringList columns;
        std::optional<TarvexError> error;
    };
    Row row(qsizetype slot) const;
    static QStringList columnCaptions(const ManagerInfo& info);
    static QList<int> columnWidths(const ManagerInfo& info);

    QString fileName(qsizetype slot) const;
    QString size(qsizetype slot) const;
    QString displayName(qsizetype slot) const;
    bool isStandard(qsizetype slot) const;

    // Memory gauge: the sum of the size list against the manager's total.
    struct Gauge {
        std::int32_t used = 0;
        std::int32_t total = 0;
        int percent = 0;
        bool overLimit = false; // label maroon, create button disabled
    };
    // Raises the conversion or overflow error of a bad size line.
    Gauge gauge() const;
    static Gauge gaugeFor(std::int32_t used, std::int32_t total);

    // The slot whose file list line names `bareName`, if any.
    std::optional<qsizetype> slotUsing(const QString& bareName) const;

    enum class AssignResult { Assigned, NameInUse, UnsafeName };
    // Copies the file into the working folder under its bare name and records
    // name and size; refuses a name any slot uses or one the lists cannot hold
    // (chosenname::refusal), changing nothing. A copy that cannot be written
    // raises "Cannot create file %s", with nothing recorded. Does not save.
    AssignResult assignFile(qsizetype slot, const QString& sourcePath);
    // The warning a refused choice shows, the same on every page and command.
    QString refusalText(AssignResult result, const QString& sourcePath) const;
    // The working copy of a chosen file, made under bareName; one replacing
    // a copy a slot names waits beside it until the next save. Returns where
    // the copy is now. Raises when the working folder is not a plain folder,
    // the source cannot be read or the copy cannot be written.
    QString copyIntoWorkFolder(const QString& sourcePath, const QString& bareName) const;
    // New bytes for a working copy Tarvex made (never the user's own file),
    // placed as a copy is; returns where they are now. Raises as a copy does.
    QString rewriteWorkingCopy(const QString& bareName, const QByteArray& bytes) const;
    // Records a choice whose working copy is already in place.
    void recordChoice(qsizetype slot, const QString& bareName, std::int64_t size);
    // The slot back to its standard resource (placeholder, size "0"). Does not save.
    void restore(qsizetype slot);

    // Deletes the files (and links, never their targets) of the working
    // folder that no slot names; nothing when the folder is not plain.
    void cleanWorkFolder() const;

    // Writes every changeable list of every available manager.
    void save() const { data_.saveSlotLists(); }

private:
    // Writes a working copy where it belongs now (staged while a slot names
    // it); the writer returns false with the system's reason to fail.
    using CopyWriter = std::function<bool(const QString& copy, QString& writeError)>;
    QString placeWorkingCopy(const QString& bareName, const CopyWriter& write) const;

    FirmwareDataSet& data_;
    const ManagerInfo& info_;
};

// SPDX-License-Identifier: MIT
#pragma once

#include "manager/SlotTable.h"
#include "srec/S3LineList.h"
#include "srec/S3Writer.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

// What a manager adds to the shared patch skeleton.
struct PatchHooks {
    // Lines after the required patches and before the slot walk.
    std::function<void(const FirmwareDataSet&, S3LineList&)> ownRecords;
    // Appends the data records of a slot's new file at `address` to the patch
    // and returns the 16 digits of its table entry.
    std::function<QString(const QString& workFile, std::int32_t size, std::int32_t address,
                          S3LineList& patch)>
        placeNewFile;
    // Why this data set's own records of the manager cannot go into a patch;
    // empty when they can. Refused before anything is saved or written.
    std::function<QString(const FirmwareDataSet&)> refusal;
};

// The patch skeleton every "Создать патч!" button runs: header, required
// patches, the manager's own records, one table record per slot (new files'
// data records before theirs), end record.
namespace patch {

std::int32_t baseAddress(const FirmwareDataSet& data, const ManagerInfo& info);

// The "*.s3" files of Data/ReqPatches, by name, as full paths.
QStringList requiredPatchFiles(const FirmwareDataSet& data);
// Lines of every "*.s3" file of Data/ReqPatches, by name, copied unchanged.
void appendRequiredPatches(const FirmwareDataSet& data, S3LineList& lines);

// The new-file test: not the placeholder, size not "0", the copy exists.
bool hasNewFile(const SlotTable& table, qsizetype slot);

using Progress = std::function<void(const QString& text)>;
S3LineList build(const SlotTable& table, const PatchHooks& hooks, const Progress& progress);
// The same lines handed to `out` as they are made; the caller finishes it.
void write(const SlotTable& table, const PatchHooks& hooks, const Progress& progress,
           S3Writer& out);

// The refusal of a patch saved at path: inside a firmware folder (see
// outputplace) it would overwrite the data set; empty when it may be saved.
QString outputRefusal(const FirmwareDataSet& data, const QString& path);

// Raises "The new files do not fit: no patch is built" when the new files
// take more than the region's total: the patch would write over whatever the
// firmware keeps after the region.
void requireFit(const SlotTable& table);
// Raises "%1: no patch is built" with the hooks' refusal, if they have one.
void requireSoundRecords(const FirmwareDataSet& data, const PatchHooks& hooks);

// The whole button: requireFit, save the lists, build, ask where to save, write, clean
// the working folder. Returns the chosen path, or nothing when the user
// cancelled. An error ends it at once: nothing written, nothing cleaned. A
// path inside a working folder is refused the same way: its warning goes to
// *refusal when given, else it is raised.
std::optional<QString> run(SlotTable& table, const PatchHooks& hooks, const Progress& progress,
                           const std::function<QString()>& askSavePath, QString* refusal = nullptr);

// The whole button for a caller that knows its output before the build
// (the command line): the records go to `out` as they are made, `complete`
// runs once all are written (it finishes the writer and puts the output in
// place), then the working folder is cleaned. An error ends it at once.
void run(SlotTable& table, const PatchHooks& hooks, const Progress& progress, S3Writer& out,
         const std::function<void()>& complete);

QString createdMessage(const QString& path); // "Файл \"%s\" создан."

} // namespace patch

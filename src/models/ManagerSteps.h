// SPDX-License-Identifier: MIT
#pragma once

#include "content/ContentInfo.h"
#include "manager/PatchAssembly.h"
#include "manager/SlotTable.h"

#include <QString>

// The steps a manager takes its own way, as its page runs them: the window,
// the command line and the patch comparison all ask here, so that none of
// them builds another manager's patch or restores a slot by halves.
struct ManagerSteps {
    // The hooks its patch takes in the shared skeleton.
    PatchHooks (*patchHooks)();
    // Takes `file` for the slot as the page's open button does (a picture of
    // another size fitted when `fit`); returns the warning the page shows
    // when it refuses, empty when taken. Nothing is saved. A file that cannot
    // be read raises as requireReadable does, before anything is changed.
    QString (*assign)(SlotTable& table, qsizetype slot, const QString& file, bool fit);
    // The slot's standard resource back, with whatever belongs to it (a
    // melody's standard volume). Nothing is saved.
    void (*restore)(SlotTable& table, qsizetype slot);
    // Whether `assign` can fit a file of another size to the slot.
    bool fits;
};

namespace managersteps {

const ManagerSteps& of(const ManagerInfo& info);

// What a replaced slot's file holds, with every problem its row is marked
// for: a game's half carries its pair's too. Nothing for a standard slot.
std::optional<content::ContentInfo> slotContent(const SlotTable& table, qsizetype slot);

// A chosen file is read before it is taken: raises "Cannot open file %s" with
// the reason when it is missing, not a regular file or cannot be read.
void requireReadable(const QString& file);

} // namespace managersteps

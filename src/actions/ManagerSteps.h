// SPDX-License-Identifier: MIT
#pragma once

#include "content/ContentInfo.h"
#include "manager/PatchAssembly.h"
#include "manager/SlotTable.h"
#include "pictures/PictureSlots.h"

#include <QImage>
#include <QString>

namespace managersteps {
// What a manager's assign step did: a refusal to show (nothing taken), or
// the picture a picture slot took.
struct Taken {
    QString refusal;
    QImage picture;
};
} // namespace managersteps

// The steps a manager takes its own way. The window's pages and the command
// line change a slot through manageractions, which runs them; the patch
// comparison builds a manager's patch with its hooks. None of them builds
// another manager's patch or restores a slot by halves.
struct ManagerSteps {
    // The hooks its patch takes in the shared skeleton.
    PatchHooks (*patchHooks)();
    // Takes `file` for the slot (a picture of another size fitted when `fit`;
    // a picture of the wrong size refused in the words of `front`); returns
    // the refusal, empty when taken. Nothing is saved. A file that cannot be
    // read raises as requireReadable does, before anything is changed.
    managersteps::Taken (*assign)(SlotTable& table, qsizetype slot, const QString& file, bool fit,
                                  pictureslots::Front front);
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

// SPDX-License-Identifier: MIT
#include "actions/ManagerSteps.h"

#include "base/TarvexError.h"
#include "java/JavaPair.h"
#include "java/JavaPatch.h"
#include "manager/SlotContent.h"
#include "melodies/MelodyPatch.h"
#include "melodies/MelodySlots.h"
#include "pictures/PictureSlots.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace managersteps {

void requireReadable(const QString& file) {
    if (const QString reason = fileops::unreadableReason(file); !reason.isEmpty()) {
        throw errors::cannotOpenFile(file, reason);
    }
}

namespace {

Taken assignFile(SlotTable& table, qsizetype slot, const QString& file, bool /*fit*/,
                 pictureslots::Front /*front*/) {
    requireReadable(file);
    // Its size 0 would read as the standard resource: the slot's choice
    // would be gone while the patch keeps the standard file.
    if (QFileInfo(file).size() == 0) {
        return {QCoreApplication::translate("Report", "The file %1 is empty: the slot keeps its "
                                                      "choice")
                    .arg(file),
                {}};
    }
    return {table.refusalText(table.assignFile(slot, file), file), {}};
}

Taken assignPicture(SlotTable& table, qsizetype slot, const QString& file, bool fit,
                    pictureslots::Front front) {
    requireReadable(file);
    const pictureslots::Choice choice = pictureslots::choose(
        table, slot, file, fit ? pictureslots::Fit::Yes : pictureslots::Fit::No);
    switch (choice.outcome) {
    case pictureslots::Outcome::Accepted:
        return {{}, choice.picture};
    case pictureslots::Outcome::WrongSize:
        return {pictureslots::sizeRefusal(pictureslots::requiredSize(table, slot),
                                          choice.picture.size(), front),
                {}};
    case pictureslots::Outcome::NameInUse:
    case pictureslots::Outcome::UnsafeName:
        break;
    }
    return {choice.warning, {}};
}

void restoreSlot(SlotTable& table, qsizetype slot) {
    table.restore(slot);
}

void restoreMelodySlot(SlotTable& table, qsizetype slot) {
    restoreMelody(table, slot);
}

} // namespace

const ManagerSteps& of(const ManagerInfo& info) {
    static const ManagerSteps melodies{melodyPatchHooks, assignFile, restoreMelodySlot, false};
    static const ManagerSteps java{javaPatchHooks, assignFile, restoreSlot, false};
    static const ManagerSteps pictures{pictureslots::patchHooks, assignPicture, restoreSlot, true};
    switch (info.kind) {
    case ManagerKind::Melodies:
        return melodies;
    case ManagerKind::Java:
        return java;
    case ManagerKind::Pictures:
        break;
    }
    return pictures;
}

std::optional<content::ContentInfo> slotContent(const SlotTable& table, qsizetype slot) {
    std::optional<content::ContentInfo> described = slotcontent::of(table, slot);
    if (described && table.info().pairedRows) {
        described->problems << javapair::problems(table, slot);
    }
    return described;
}

} // namespace managersteps

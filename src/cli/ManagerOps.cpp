#include "cli/ManagerOps.h"

#include "java/JavaPatch.h"
#include "melodies/MelodyPatch.h"
#include "melodies/MelodySlots.h"
#include "pictures/PictureSlots.h"

namespace cli {

QString assign(SlotTable& table, qsizetype slot, const QString& file) {
    const ManagerSpec& spec = table.spec();
    if (!managers::acceptsFile(spec, slot, file)) {
        return QStringLiteral("Slot %1 takes only *.%2 files")
            .arg(slot)
            .arg(managers::acceptedSuffixes(spec, slot).join(QStringLiteral(", *.")));
    }
    if (spec.kind == ManagerKind::Pictures) {
        return pictureslots::choose(table, slot, file).warning;
    }
    switch (table.assignFile(slot, file)) {
    case SlotTable::AssignResult::Assigned:
        return {};
    case SlotTable::AssignResult::NameInUse:
        return managers::nameInUseWarning(spec);
    case SlotTable::AssignResult::UnsafeName:
        break;
    }
    return QStringLiteral("Not a file name: %1").arg(file);
}

void restore(SlotTable& table, qsizetype slot) {
    if (table.spec().kind == ManagerKind::Melodies) {
        restoreMelody(table, slot);
    } else {
        table.restore(slot);
    }
}

PatchHooks patchHooks(const ManagerSpec& spec) {
    switch (spec.kind) {
    case ManagerKind::Melodies:
        return melodyPatchHooks();
    case ManagerKind::Java:
        return javaPatchHooks();
    case ManagerKind::Pictures:
        return pictureslots::patchHooks();
    }
    return {};
}

} // namespace cli

// SPDX-License-Identifier: MIT
#include "cli/ManagerOps.h"

#include "melodies/MelodySlots.h"
#include "pictures/PictureSlots.h"

namespace cli {

QString assign(SlotTable& table, qsizetype slot, const QString& file, bool fit) {
    const ManagerInfo& info = table.info();
    if (!managers::acceptsFile(info, slot, file)) {
        return QStringLiteral("Slot %1 takes only *.%2 files")
            .arg(slot)
            .arg(managers::acceptedSuffixes(info, slot).join(QStringLiteral(", *.")));
    }
    if (info.kind == ManagerKind::Pictures) {
        return pictureslots::choose(table, slot, file,
                                    fit ? pictureslots::Fit::Yes : pictureslots::Fit::No)
            .warning;
    }
    return table.refusalText(table.assignFile(slot, file), file);
}

void restore(SlotTable& table, qsizetype slot) {
    if (table.info().kind == ManagerKind::Melodies) {
        restoreMelody(table, slot);
    } else {
        table.restore(slot);
    }
}

} // namespace cli

// SPDX-License-Identifier: MIT
#include "melodies/MelodySlots.h"

#include "melodies/MelodyVolumes.h"

std::optional<int> restoreMelody(SlotTable& table, qsizetype slot) {
    table.restore(slot);
    return restoreStandardVolume(table, slot);
}

std::optional<int> restoreStandardVolume(SlotTable& table, qsizetype slot) {
    if (table.data().memoryMap().volumePatchAvailable && melodyvolumes::isVolumeSlot(slot)) {
        return melodyvolumes::restoreStandard(table.data(), slot);
    }
    return std::nullopt;
}

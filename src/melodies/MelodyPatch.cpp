// SPDX-License-Identifier: MIT
#include "melodies/MelodyPatch.h"

#include "srec/S3Records.h"

PatchHooks melodyPatchHooks() {
    PatchHooks hooks;
    hooks.ownRecords = [](const FirmwareDataSet& data, S3LineList& lines) {
        if (!data.memoryMap().patch64K.isEmpty()) { // empty: the firmware needs none
            lines.append(data.memoryMap().patch64K);
        }
        if (!data.memoryMap().volumePatchAvailable) {
            return;
        }
        const QStringList& offsets = data.list(managers::kVolumeOffsetsList);
        for (qsizetype i = 0; i < offsets.size(); ++i) {
            lines.append(srec::volumeRecord(offsets[i], data.line(managers::kVolumesList, i)));
        }
    };
    hooks.placeNewFile = [](const QString& file, std::int32_t size, std::int32_t address,
                            S3LineList& patch) {
        srec::appendFileRecords(file, size, address, patch);
        return srec::melodyEntry(address, size);
    };
    return hooks;
}

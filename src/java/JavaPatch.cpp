// SPDX-License-Identifier: MIT
#include "java/JavaPatch.h"

#include "srec/S3Records.h"

PatchHooks javaPatchHooks() {
    PatchHooks hooks;
    hooks.placeNewFile = [](const QString& file, std::int32_t size, std::int32_t address,
                            S3LineList& patch) {
        srec::appendFileRecords(file, size, address, patch);
        return srec::javaEntry(address, size);
    };
    return hooks;
}

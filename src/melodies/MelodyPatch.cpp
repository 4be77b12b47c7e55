// SPDX-License-Identifier: MIT
#include "melodies/MelodyPatch.h"

#include "srec/S3Records.h"
#include "srec/SRecordReader.h"

#include <QCoreApplication>

QString patch64KProblem(const MemoryMap& map) {
    if (map.patch64K.isEmpty()) {
        return {};
    }
    const QByteArray text = map.patch64K.toLatin1();
    srec::SRecord record;
    const QString problem =
        srec::parseRecord(std::string_view(text.constData(), std::size_t(text.size())), record);
    if (!problem.isEmpty()) {
        return QCoreApplication::translate("Report", "Patch64K: %1").arg(problem);
    }
    if (!record.isData()) {
        return QCoreApplication::translate("Report", "Patch64K is not a data record");
    }
    if (record.type != 3) {
        return QCoreApplication::translate("Report",
                                           "Patch64K is an S%1 record: it must be one S3 record")
            .arg(record.type);
    }
    return {};
}

PatchHooks melodyPatchHooks() {
    PatchHooks hooks;
    hooks.refusal = [](const FirmwareDataSet& data) { return patch64KProblem(data.memoryMap()); };
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

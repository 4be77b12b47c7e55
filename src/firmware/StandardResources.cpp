// SPDX-License-Identifier: MIT
#include "firmware/StandardResources.h"

#include "base/ReportLanguage.h"
#include "dataset/DataSetLayout.h"
#include "dataset/NumericText.h"
#include "manager/PatchAssembly.h"
#include "pictures/HandsetPictureCheck.h"
#include "platform/FileOps.h"
#include "srec/TableEntry.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>

namespace standardresources {

QStringList memoryIniLines(const FirmwareDataSet& data) {
    return readMemoryIniLines(data.dataFile(datasetlayout::kMemoryIni));
}

void reportUnreadableRequiredPatches(const FirmwareDataSet& data, Report& report) {
    for (const QString& path : patch::requiredPatchFiles(data)) {
        QFile file;
        QString reason;
        if (!fileops::openRegular(file, path, &reason)) {
            report.error(path, 0, reportlanguage::cannotBeRead(reason));
        }
    }
}

std::vector<StandardResource> of(const FirmwareDataSet& data) {
    std::vector<StandardResource> out;
    for (const ManagerInfo* info : managers::all()) {
        if (!data.isAvailable(*info)) {
            continue;
        }
        const QStringList& names = data.list(info->namesList);
        const QStringList& tables = data.list(info->tableList);
        const QStringList& entries = data.list(info->standardEntryList);
        // Made once and shared by every slot: a path each would cost a data
        // set of many slots more than its lists.
        const QString entryFile = data.dataFile(info->standardEntryList);
        const QString tableFile = data.dataFile(info->tableList);
        out.reserve(out.size() + std::size_t(std::max<qsizetype>(data.slotCount(*info), 0)));
        for (qsizetype i = 0; i < data.slotCount(*info); ++i) {
            StandardResource r;
            r.manager = info;
            r.slot = i;
            r.name = names.value(i);
            r.entryFile = entryFile;
            r.tableFile = tableFile;
            r.tableAddress = numeric::hexField(tables.value(i), 8);
            r.entry = tableentry::fromText(entries.value(i));
            if (r.entry) {
                r.fields = tableentry::decode(*info, r.entry->data());
            }
            out.push_back(std::move(r));
        }
    }
    return out;
}

Bytes in(const FirmwareImage& image, const StandardResource& resource) {
    Bytes out;
    const std::uint64_t address = resource.fields.address;
    if (resource.manager->kind == ManagerKind::Pictures) {
        const handsetpicture::CheckResult picture = handsetpicture::check(
            [&](std::int64_t offset) { return image.byteAt(address + std::uint64_t(offset)); },
            resource.fields.width, resource.fields.height);
        if (!picture.problem.isEmpty()) {
            out.problem = QCoreApplication::translate("Report", "the %1 x %2 picture at %3: %4")
                              .arg(resource.fields.width)
                              .arg(resource.fields.height)
                              .arg(numeric::hexAddress(address), picture.problem);
            return out;
        }
        out.length = std::uint64_t(picture.length);
    } else {
        out.length = resource.fields.size;
    }
    if (out.length == 0) {
        out.problem = QCoreApplication::translate("Report", "its entry gives it no byte");
        return out;
    }
    out.data = image.bytesAt(address, out.length);
    if (!out.data) {
        out.problem = QCoreApplication::translate(
                          "Report", "only %1 of its %2 bytes at %3 lie in the firmware")
                          .arg(image.heldBytes(address, address + out.length))
                          .arg(out.length)
                          .arg(numeric::hexAddress(address));
    }
    return out;
}

} // namespace standardresources

QString StandardResource::label() const {
    return QCoreApplication::translate("Report", manager->texts.resource).arg(slot);
}

QString StandardResource::standardLabel() const {
    return QCoreApplication::translate("Report", manager->texts.standard).arg(slot);
}

QString StandardResource::entryLabel() const {
    return QCoreApplication::translate("Report", manager->texts.entry).arg(slot);
}

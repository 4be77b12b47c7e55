// SPDX-License-Identifier: MIT
#include "firmware/StandardResources.h"

#include "base/TextLines.h"
#include "dataset/NumericText.h"
#include "pictures/HandsetPictureCheck.h"
#include "srec/TableEntry.h"

#include <QCoreApplication>
#include <QFile>

namespace standardresources {

namespace {} // namespace

const Texts& texts(const ManagerInfo& info) {
    static const Texts melodies{
        QT_TRANSLATE_NOOP("Report", "the melody of slot %1"),
        QT_TRANSLATE_NOOP("Report", "the standard melody of slot %1"),
        QT_TRANSLATE_NOOP("Report", "the melody table entry of slot %1"),
        QT_TRANSLATE_NOOP("Report", "melody entries match the firmware"),
        QT_TRANSLATE_NOOP("Report", "standard melodies lie whole in the firmware")};
    static const Texts java{
        QT_TRANSLATE_NOOP("Report", "the Java file of slot %1"),
        QT_TRANSLATE_NOOP("Report", "the standard Java file of slot %1"),
        QT_TRANSLATE_NOOP("Report", "the Java table entry of slot %1"),
        QT_TRANSLATE_NOOP("Report", "Java entries match the firmware"),
        QT_TRANSLATE_NOOP("Report", "standard Java files lie whole in the firmware")};
    static const Texts pictures{
        QT_TRANSLATE_NOOP("Report", "the picture of slot %1"),
        QT_TRANSLATE_NOOP("Report", "the standard picture of slot %1"),
        QT_TRANSLATE_NOOP("Report", "the picture table entry of slot %1"),
        QT_TRANSLATE_NOOP("Report", "picture entries match the firmware"),
        QT_TRANSLATE_NOOP("Report", "standard pictures are well formed in the firmware")};
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

QStringList memoryIniLines(const FirmwareDataSet& data) {
    QFile ini(data.dataFile(QStringLiteral("Memory.ini")));
    return ini.open(QIODevice::ReadOnly) ? textlines::decode(ini.readAll()) : QStringList();
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
        for (qsizetype i = 0; i < data.slotCount(*info); ++i) {
            StandardResource r;
            r.manager = info;
            r.slot = i;
            r.name = names.value(i);
            r.entryFile = data.dataFile(info->standardEntryList);
            r.tableFile = data.dataFile(info->tableList);
            r.tableAddress = numeric::hexField(tables.value(i), 8);
            r.entry = tableentry::fromText(entries.value(i));
            if (r.entry) {
                r.fields = tableentry::decode(info->kind, r.entry->data());
            }
            out.push_back(r);
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
    return QCoreApplication::translate("Report", standardresources::texts(*manager).resource)
        .arg(slot + 1);
}

QString StandardResource::standardLabel() const {
    return QCoreApplication::translate("Report", standardresources::texts(*manager).standard)
        .arg(slot + 1);
}

QString StandardResource::entryLabel() const {
    return QCoreApplication::translate("Report", standardresources::texts(*manager).entry)
        .arg(slot + 1);
}

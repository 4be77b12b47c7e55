#include "firmware/StandardResources.h"

#include "pictures/HandsetPictureCheck.h"

#include <QCoreApplication>

namespace standardresources {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("Report", text);
}

} // namespace

QString kindWord(const ManagerInfo& info) {
    switch (info.kind) {
    case ManagerKind::Melodies:
        return tr("melody");
    case ManagerKind::Java:
        return tr("Java file");
    case ManagerKind::Pictures:
        return tr("picture");
    }
    return {};
}

QString kindPlural(const ManagerInfo& info) {
    switch (info.kind) {
    case ManagerKind::Melodies:
        return tr("melodies");
    case ManagerKind::Java:
        return tr("Java files");
    case ManagerKind::Pictures:
        return tr("pictures");
    }
    return {};
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
            r.tableAddress = addresslayout::hexField(tables.value(i), 8);
            r.entry = addresslayout::entryBytes(entries.value(i));
            if (r.entry) {
                r.fields = addresslayout::decodeEntry(info->kind, r.entry->data());
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
            out.problem = tr("the %1 x %2 picture at %3: %4")
                              .arg(resource.fields.width)
                              .arg(resource.fields.height)
                              .arg(addresslayout::hexAddress(address), picture.problem);
            return out;
        }
        out.length = std::uint64_t(picture.length);
    } else {
        out.length = resource.fields.size;
    }
    if (out.length == 0) {
        out.problem = tr("its entry gives it no byte");
        return out;
    }
    out.data = image.bytesAt(address, out.length);
    if (!out.data) {
        out.problem = tr("only %1 of its %2 bytes at %3 lie in the firmware")
                          .arg(image.heldBytes(address, address + out.length))
                          .arg(out.length)
                          .arg(addresslayout::hexAddress(address));
    }
    return out;
}

} // namespace standardresources

QString StandardResource::label() const {
    return QCoreApplication::translate("Report", "the %1 of slot %2")
        .arg(standardresources::kindWord(*manager))
        .arg(slot + 1);
}

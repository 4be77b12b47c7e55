// SPDX-License-Identifier: MIT
#include "dataset/DataSetWriter.h"
#include "dataset/ListFile.h"
#include "dataset/NumericText.h"
#include "firmware/PortPlacement.h"
#include "pictures/HandsetPictureDecoder.h"
#include "pictures/JpegWriter.h"
#include "platform/FileOps.h"
#include "srec/S3Records.h"

#include <map>

namespace firmwareport {

void write(const Placement& placed, const FirmwareDataSet& data, const FirmwareImage& newImage,
           const QStringList& iniLines, const DataSetWriter& writer) {
    for (const ManagerInfo* info : managers::all()) {
        if (!data.isAvailable(*info)) {
            continue;
        }
        QStringList tables;
        QStringList entries;
        std::vector<QByteArray> previews;
        for (const Placement::Slot& s : placed.slotPlaces) {
            if (s.r.manager != info) {
                continue;
            }
            tables << numeric::hex(std::uint32_t(*s.table), 8);
            entries << tableentry::text(tableentry::encode(*info, s.entry));
            if (info->hasPreviews) {
                StandardResource placed = s.r;
                placed.fields = s.entry;
                const standardresources::Bytes bytes = standardresources::in(newImage, placed);
                previews.push_back(encodeJpeg(toImage(decodeHandsetPicture(QByteArray(
                    reinterpret_cast<const char*>(bytes.data), qsizetype(bytes.length))))));
            }
        }
        writer.writeStandardSlots(*info, tables, entries, data.list(info->namesList));
        if (info->hasPreviews) {
            writer.writePreviews(previews);
        }
    }
    if (data.volumesAvailable()) {
        QStringList offsets;
        QStringList standard;
        for (const std::uint64_t v : placed.volumes) {
            offsets << numeric::hex(std::uint32_t(v), 8);
            standard << numeric::hex(*newImage.byteAt(v), 2);
        }
        writer.writeVolumes(offsets, standard);
    }
    QStringList ini = iniLines;
    std::map<QString, std::map<qint64, QString>> patchLines;
    for (const Placement::Record& p : placed.records) {
        const QString line = srec::withS3Checksum(
            QStringLiteral("S3") + numeric::hex(std::uint32_t(p.span.bytes.size() + 5), 2) +
            numeric::hex(std::uint32_t(p.to), 8) +
            numeric::hexBytes(p.span.bytes.data(), p.span.bytes.size()));
        if (p.span.kind == AddressSpan::Kind::Patch64K) {
            setMemoryIniPatch64K(ini, line);
        } else {
            patchLines[p.span.file][p.span.line] = line;
        }
    }
    for (const Placement::Region& r : placed.regions) {
        // By manager, not by label: labels are translated.
        setMemoryIniRegion(ini, *r.span.manager, std::uint32_t(r.start), std::uint32_t(r.last));
    }
    writer.writeMemoryIni(ini);
    for (const auto& [file, lines] : patchLines) {
        QStringList text = listfile::load(file);
        for (const auto& [line, record] : lines) {
            text[line - 1] = record;
        }
        writer.writeRequiredPatch(fileops::bareName(file), text);
    }
}

} // namespace firmwareport

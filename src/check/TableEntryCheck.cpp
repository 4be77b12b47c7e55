// SPDX-License-Identifier: MIT
#include "check/TableEntryCheck.h"

#include "dataset/NumericText.h"
#include "pictures/HandsetPictureCheck.h"
#include "srec/TableEntry.h"

#include <QCoreApplication>

namespace tableentrycheck {

namespace {

using numeric::hexAddress;

constexpr int kEntryBytes = tableentry::kBytes;

const AddressSpan* regionOf(const std::vector<AddressSpan>& spans, const ManagerInfo* info) {
    for (const AddressSpan& span : spans) {
        if (span.kind == AddressSpan::Kind::Region && span.manager == info) {
            return &span;
        }
    }
    return nullptr;
}

// What is wrong with data of `length` bytes at `address`, empty when nothing is.
QString placementProblem(const PatchImage& image, const AddressSpan* region, std::uint64_t reserve,
                         std::uint64_t address, std::uint64_t length) {
    if (region && (address < region->start || address + length > region->end)) {
        return QCoreApplication::translate("Report", "%1 bytes at %2 do not lie inside the %3")
            .arg(length)
            .arg(hexAddress(address), region->label);
    }
    if (region && address < region->start + reserve) {
        return QCoreApplication::translate("Report",
                                           "%1 bytes at %2 begin in the first %3 bytes of the "
                                           "%4, kept for the string table")
            .arg(length)
            .arg(hexAddress(address))
            .arg(reserve)
            .arg(region->label);
    }
    const std::uint64_t written = image.writtenBytes(address, address + length);
    if (written != length) {
        return QCoreApplication::translate("Report",
                                           "the patch writes only %1 of its %2 bytes at %3")
            .arg(written)
            .arg(length)
            .arg(hexAddress(address));
    }
    return {};
}

// The longest a picture of that size can be: format, palette size, palette
// of 127 colours, a three-byte run for every pixel, closing record, pad byte, trailer.
std::uint64_t longestPicture(int width, int height) {
    return 2 + 2 * 127 + 3 * std::uint64_t(width) * std::uint64_t(height) + 3 + 1 + 4;
}

// The 8 bytes of a table entry the patch writes whole.
bool keptEntry(const PatchImage& image, const AddressSpan& span, std::uint8_t* entry) {
    for (int i = 0; i < kEntryBytes; ++i) {
        const std::optional<std::uint8_t> b = image.byteAt(span.start + std::uint64_t(i));
        if (!b) {
            return false;
        }
        entry[i] = *b;
    }
    return true;
}

QString pictureProblem(const PatchImage& image, const AddressSpan* region,
                       const tableentry::Fields& fields, std::uint64_t& length) {
    const int width = fields.width;
    const int height = fields.height;
    const std::uint64_t address = fields.address;
    const handsetpicture::CheckResult picture = handsetpicture::check(
        [&](std::int64_t offset) { return image.byteAt(address + std::uint64_t(offset)); }, width,
        height);
    length = std::uint64_t(picture.length); // as far as it could be read
    if (!picture.problem.isEmpty()) {
        return QCoreApplication::translate("Report", "the %1 x %2 picture at %3: %4")
            .arg(width)
            .arg(height)
            .arg(hexAddress(address), picture.problem);
    }
    return placementProblem(image, region, 0, address, length);
}

} // namespace

void wantPictures(PatchImage& image, const std::vector<AddressSpan>& spans) {
    for (const AddressSpan& span : spans) {
        std::uint8_t entry[kEntryBytes];
        if (span.kind == AddressSpan::Kind::TableEntry && span.manager->handsetPictures &&
            keptEntry(image, span, entry)) {
            const tableentry::Fields fields = tableentry::decode(*span.manager, entry);
            image.want(fields.address,
                       fields.address + longestPicture(fields.width, fields.height));
        }
    }
}

Pointed run(const FirmwareDataSet& data, const PatchImage& image,
            const std::vector<AddressSpan>& spans, const QString& path, Report& report) {
    Pointed pointed;
    for (const AddressSpan& span : spans) {
        if (span.kind != AddressSpan::Kind::TableEntry) {
            continue;
        }
        const std::uint64_t written = image.writtenBytes(span.start, span.end);
        const qint64 line = image.lineOf(span.start);
        if (written == 0) {
            continue;
        }
        if (written != kEntryBytes) {
            report.error(
                path, image.lineOf(span.start + kEntryBytes - 1),
                QCoreApplication::translate("Report", "writes only %1 of the 8 bytes of the %2")
                    .arg(written)
                    .arg(span.label));
            continue;
        }
        std::uint8_t entry[kEntryBytes];
        if (!keptEntry(image, span, entry)) {
            continue; // not kept: nothing to follow
        }
        const QString text = numeric::hexBytes(entry, kEntryBytes);
        const ManagerInfo& info = *span.manager;
        const QStringList& standard = data.list(info.standardEntryList);
        if (span.slot < standard.size() &&
            text.compare(standard[span.slot], Qt::CaseInsensitive) == 0) {
            continue; // the standard resource, outside the patch
        }
        const AddressSpan* region = regionOf(spans, &info);
        QString problem;
        const tableentry::Fields fields = tableentry::decode(info, entry);
        const std::uint64_t address = fields.address;
        std::uint64_t length = fields.size;
        if (info.handsetPictures) {
            problem = pictureProblem(image, region, fields, length);
        } else {
            problem = placementProblem(image, region,
                                       region ? addresslayout::reserveOf(data, *region) : 0,
                                       address, length);
        }
        pointed.emplace_back(address, address + length);
        if (!problem.isEmpty()) {
            report.error(
                path, line,
                QCoreApplication::translate("Report", "the %1: %2").arg(span.label, problem));
        }
    }
    return pointed;
}

} // namespace tableentrycheck

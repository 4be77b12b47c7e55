// SPDX-License-Identifier: MIT
#include "check/AddressLayoutCheck.h"

#include "dataset/NumericText.h"
#include "manager/AddressLayout.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <iterator>

namespace addresslayoutcheck {

namespace {

using numeric::hexAddress;

QString range(std::uint64_t start, std::uint64_t end) {
    return end - start == 1 ? hexAddress(start)
                            : hexAddress(start) + QLatin1Char('-') + hexAddress(end - 1);
}

// "MelodiesTable.lst line 3", "Memory.ini line 2"
QString placeOf(const AddressSpan& span) {
    return QCoreApplication::translate("Report", "%1 line %2")
        .arg(fileops::bareName(span.file))
        .arg(span.line);
}

QString collisionText(const AddressCollision& hit) {
    const AddressSpan& at = *hit.at;
    const AddressSpan& other = *hit.other;
    using Kind = AddressSpan::Kind;
    if (at.kind == Kind::Region) {
        return QCoreApplication::translate("Report", "the %1 overlaps the %2")
            .arg(addresslayout::labelOf(at), addresslayout::labelOf(other));
    }
    if (!at.isRecord()) {
        if (other.kind == Kind::Region) {
            return QCoreApplication::translate("Report", "the %1 at %2 lies inside the %3")
                .arg(addresslayout::labelOf(at), hexAddress(at.start),
                     addresslayout::labelOf(other));
        }
        return QCoreApplication::translate("Report", "the %1 at %2 overlaps the %3 (%4)")
            .arg(addresslayout::labelOf(at), hexAddress(at.start), addresslayout::labelOf(other),
                 placeOf(other));
    }
    const QString writer = at.kind == Kind::Patch64K
                               ? QCoreApplication::translate("Report", "the Patch64K line")
                               : QCoreApplication::translate("Report", "this record");
    if (other.kind == Kind::Region) {
        return QCoreApplication::translate("Report",
                                           "%1 writes %2 inside the %3, where new files are "
                                           "placed")
            .arg(writer, range(hit.start, hit.end), addresslayout::labelOf(other));
    }
    if (!other.isRecord()) {
        return QCoreApplication::translate("Report",
                                           "%1 writes %2 over the %3 (%4), which every patch "
                                           "rewrites")
            .arg(writer, range(hit.start, hit.end), addresslayout::labelOf(other), placeOf(other));
    }
    return QCoreApplication::translate("Report", "%1 writes %2 with other bytes than %3 (%4)")
        .arg(writer, range(hit.start, hit.end), addresslayout::labelOf(other), placeOf(other));
}

} // namespace

// Everything a patch writes at a fixed place, compared with the regions
// where new files go and with one another.
void run(const FirmwareDataSet& data, const QStringList& iniLines,
         std::vector<AddressSpan> fixedRecords, Report& report) {
    // One vector, filled in place: with a slot per table entry a copy of it
    // would cost as much as the data set's lists.
    std::vector<AddressSpan> spans = addresslayout::regions(data, iniLines);
    addresslayout::appendTableEntries(data, spans, false);
    spans.reserve(spans.size() + fixedRecords.size());
    std::move(fixedRecords.begin(), fixedRecords.end(), std::back_inserter(spans));
    using numeric::kAddressSpace;
    for (const AddressSpan& span : spans) {
        if (span.end > kAddressSpace) {
            report.error(span.file, span.line,
                         QCoreApplication::translate("Report",
                                                     "the %1 at %2 runs past the end of the "
                                                     "32-bit address space")
                             .arg(addresslayout::labelOf(span), hexAddress(span.start)));
        }
    }
    for (const AddressCollision& hit : addresslayout::collisions(spans)) {
        report.error(hit.at->file, hit.at->line, collisionText(hit));
    }
}

} // namespace addresslayoutcheck

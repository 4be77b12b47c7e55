// SPDX-License-Identifier: MIT
#include "dataset/NumericText.h"
#include "firmware/PortPlacement.h"

#include <QCoreApplication>
#include <algorithm>

namespace firmwareport {

using numeric::hexAddress;

// A region bound found by the code before it says nothing of what follows:
// every byte erased in the old region must be erased in the new one too,
// counted from its start and from its end.
void checkRegions(const Placement& placed, const FirmwareImage& oldImage,
                  const FirmwareImage& newImage, Report& report) {
    for (const Placement::Region& r : placed.regions) {
        const std::uint64_t oldLength = r.span.end - r.span.start;
        const std::uint64_t newLength = r.last > r.start ? r.last - r.start : 0;
        std::uint64_t count = 0;
        std::uint64_t first = 0;
        // Held whole, as regions are: read straight from the ranges.
        const std::uint8_t* was = oldImage.bytesAt(r.span.start, oldLength);
        const std::uint8_t* is = newImage.bytesAt(r.start, newLength);
        auto oldErased = [&](std::uint64_t k) {
            return was ? was[k] == 0xFF : oldImage.byteAt(r.span.start + k) == 0xFF;
        };
        for (std::uint64_t a = r.start; a < r.last && newLength >= oldLength; ++a) {
            const std::uint64_t fromStart = a - r.start;
            const std::uint64_t fromEnd = r.last - a; // 1 for the last byte
            const bool erased = (fromStart < oldLength && oldErased(fromStart)) ||
                                (fromEnd <= oldLength && oldErased(oldLength - fromEnd));
            const bool nowErased = is ? is[fromStart] == 0xFF : newImage.byteAt(a) == 0xFF;
            if (erased && !nowErased) {
                first = count == 0 ? a : first;
                ++count;
            }
        }
        if (newLength < oldLength) {
            report.error(r.span.file, r.span.line,
                         QCoreApplication::translate(
                             "Report", "the %1 would shrink from %2 to %3 bytes in the new "
                                       "firmware: its bounds are not where the code ends")
                             .arg(r.span.label)
                             .arg(oldLength)
                             .arg(newLength));
        } else if (count > 0) {
            report.error(
                r.span.file, r.span.line,
                countedText(
                    count,
                    QT_TRANSLATE_N_NOOP("Report", "the %1 placed at %2-%3: %n byte erased in "
                                                  "the old firmware is not erased in the new "
                                                  "one, the first at %4"),
                    QT_TRANSLATE_N_NOOP("Report", "the %1 placed at %2-%3: %n bytes erased in "
                                                  "the old firmware are not erased in the new "
                                                  "one, the first at %4"))
                    .arg(r.span.label, hexAddress(r.start), hexAddress(r.last - 1),
                         hexAddress(first)));
        }
    }
}

// A required patch (or the Patch64K line) carried to a new place writes
// over the bytes there: they must be the ones it was made to replace.
void checkRecords(const Placement& placed, const FirmwareImage& oldImage,
                  const FirmwareImage& newImage, bool allowChanged, Report& report) {
    for (const Placement::Record& p : placed.records) {
        const std::size_t length = p.span.bytes.size();
        const std::uint8_t* was = oldImage.bytesAt(p.span.start, length);
        const std::uint8_t* is = newImage.bytesAt(p.to, length);
        if (!was || !is || std::equal(was, was + length, is) ||
            std::equal(p.span.bytes.begin(), p.span.bytes.end(), is)) {
            continue; // the same bytes, or applied already in the new firmware
        }
        std::size_t k = 0;
        while (was[k] == is[k]) {
            ++k;
        }
        const QString text = QCoreApplication::translate(
                                 "Report", "%1, carried from %2 to %3, writes over bytes that "
                                           "changed: the old firmware holds %4 at %5, the new "
                                           "one %6 at %7")
                                 .arg(p.span.label, hexAddress(p.span.start), hexAddress(p.to),
                                      numeric::hex(was[k], 2), hexAddress(p.span.start + k),
                                      numeric::hex(is[k], 2), hexAddress(p.to + k));
        if (allowChanged) {
            report.warning(p.span.file, p.span.line, text);
        } else {
            report.error(p.span.file, p.span.line, text);
        }
    }
}

} // namespace firmwareport

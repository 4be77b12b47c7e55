// SPDX-License-Identifier: MIT
#include "check/PatchContentCheck.h"

#include "dataset/NumericText.h"
#include "manager/AddressLayout.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <algorithm>
#include <map>

namespace patchcontentcheck {

namespace {

using numeric::hexAddress;

using numeric::kAddressSpace;

using numeric::hexByte;

using Interval = std::pair<std::uint64_t, std::uint64_t>;

} // namespace

std::vector<FixedRecord> fixedRecords(const std::vector<AddressSpan>& spans) {
    std::vector<FixedRecord> records;
    // The Patch64K line first, then the required patches, as findings name them.
    for (const AddressSpan::Kind kind :
         {AddressSpan::Kind::Patch64K, AddressSpan::Kind::RequiredPatch}) {
        for (const AddressSpan& span : spans) {
            if (span.kind == kind && span.end <= kAddressSpace) {
                records.push_back({span.label, span.file, span.line,
                                   kind == AddressSpan::Kind::Patch64K, span.start, span.bytes});
            }
        }
    }
    return records;
}

namespace {

// The bytes of [start, end) the patch writes where no required patch writes:
// the patch's own, not the copy of a required patch every build carries.
std::uint64_t ownBytes(const PatchImage& image, const std::vector<Interval>& required,
                       std::uint64_t start, std::uint64_t end) {
    std::uint64_t bytes = image.writtenBytes(start, end);
    auto it = std::upper_bound(required.begin(), required.end(), start,
                               [](std::uint64_t a, const Interval& r) { return a < r.second; });
    for (; it != required.end() && it->first < end; ++it) {
        bytes -= image.writtenBytes(std::max(start, it->first), std::min(end, it->second));
    }
    return bytes;
}

} // namespace

Kinds kindsOf(const PatchImage& image, const std::vector<AddressSpan>& spans) {
    Kinds kinds;
    std::vector<Interval> required;
    for (const AddressSpan& span : spans) {
        if (span.kind == AddressSpan::Kind::RequiredPatch) {
            required.emplace_back(span.start, span.end);
        }
    }
    std::sort(required.begin(), required.end());
    std::vector<Interval> merged;
    for (const Interval& r : required) {
        if (!merged.empty() && r.first <= merged.back().second) {
            merged.back().second = std::max(merged.back().second, r.second);
        } else {
            merged.push_back(r);
        }
    }
    for (const AddressSpan& span : spans) {
        if (image.writtenBytes(span.start, span.end) == 0) {
            continue;
        }
        // A mark a required patch also writes is the required patch's: every
        // manager's build carries it.
        const bool own = ownBytes(image, merged, span.start, span.end) > 0;
        switch (span.kind) {
        case AddressSpan::Kind::TableEntry:
            if (own) {
                ++kinds.entries[span.manager];
            }
            break;
        case AddressSpan::Kind::VolumeByte:
        case AddressSpan::Kind::Patch64K:
            if (own) {
                kinds.entries[&managers::melodies()]; // its patch, however many entries it writes
            }
            break;
        case AddressSpan::Kind::RequiredPatch:
            kinds.required = true;
            break;
        case AddressSpan::Kind::Region:
            kinds.region = kinds.region || own;
            break;
        }
    }
    for (const AddressSpan& span : spans) {
        if (kinds.required && span.kind == AddressSpan::Kind::Region &&
            image.writtenBytes(span.start, span.end) > 0) {
            kinds.entries[span.manager];
        }
    }
    return kinds;
}

namespace {

// Table entries and volume bytes a manager's patch writes for every slot:
// the ones missing show a patch cut short.
void checkCut(const PatchImage& image, const std::vector<AddressSpan>& spans, const Kinds& kinds,
              const QString& path, Report& report) {
    struct Missing {
        int count = 0;
        int total = 0;
        const AddressSpan* first = nullptr;
    };
    std::map<QString, Missing> groups; // by group, in a stable order
    QStringList order;
    for (const AddressSpan& span : spans) {
        const bool counted = span.kind == AddressSpan::Kind::TableEntry ||
                             span.kind == AddressSpan::Kind::VolumeByte;
        if (!counted || !kinds.of(*span.manager)) {
            continue;
        }
        if (!groups.count(span.group)) {
            order.append(span.group);
        }
        Missing& m = groups[span.group];
        ++m.total;
        if (image.writtenBytes(span.start, span.end) == 0) {
            ++m.count;
            m.first = m.first ? m.first : &span;
        }
    }
    for (const QString& group : order) {
        const Missing& m = groups[group];
        if (m.count > 0) {
            report.error(
                path, 0,
                countedText(m.count,
                            QT_TRANSLATE_N_NOOP("Report", "%n of the %1 %2 is missing, the first "
                                                          "the %3: the patch is cut short or "
                                                          "incomplete"),
                            QT_TRANSLATE_N_NOOP("Report", "%n of the %1 %2 are missing, the first "
                                                          "the %3: the patch is cut short or "
                                                          "incomplete"))
                    .arg(m.total)
                    .arg(group, m.first->label));
        }
    }
    if (kinds.required && !kinds.any()) {
        report.error(path, 0,
                     QCoreApplication::translate(
                         "Report", "carries the required patches but rewrites no table entry "
                                   "and writes nothing in a region: a manager's patch with "
                                   "every table record removed"));
    }
}

// The Patch64K line and the required patches: all or nothing, with their own bytes.
void checkFixed(const PatchImage& image, const std::vector<FixedRecord>& fixed, const Kinds& kinds,
                const QString& path, Report& report) {
    struct Written {
        std::uint64_t bytes = 0;
        std::uint64_t total = 0;
        bool required = false; // every patch of a manager carries it
    };
    std::map<QString, Written> byLabel;
    QStringList order;
    for (const FixedRecord& f : fixed) {
        if (!byLabel.count(f.label)) {
            order.append(f.label);
        }
        Written& w = byLabel[f.label];
        w.bytes += image.writtenBytes(f.address, f.end());
        w.total += f.data.size();
        w.required = f.patch64K ? kinds.of(managers::melodies()) : kinds.any();
        for (std::uint64_t a = f.address; a < f.end(); ++a) {
            const std::optional<std::uint8_t> b = image.byteAt(a);
            const std::uint8_t want = f.data[std::size_t(a - f.address)];
            if (b && *b != want) {
                report.error(
                    path, image.lineOf(a),
                    QCoreApplication::translate("Report",
                                                "%1 writes %2 at %3 (%4 line %5), the patch %6")
                        .arg(f.label, hexByte(want), hexAddress(a), fileops::bareName(f.file))
                        .arg(f.line)
                        .arg(hexByte(*b)));
                break;
            }
        }
    }
    for (const QString& label : order) {
        const Written& w = byLabel[label];
        if (w.bytes == 0 && w.required) {
            report.error(path, 0,
                         QCoreApplication::translate("Report", "%1 is missing").arg(label));
        } else if (w.bytes > 0 && w.bytes < w.total) {
            report.error(path, 0,
                         QCoreApplication::translate(
                             "Report", "%1 is written only in part: %2 of its %3 bytes")
                             .arg(label)
                             .arg(w.bytes)
                             .arg(w.total));
        }
    }
}

void checkVolumes(const PatchImage& image, const std::vector<AddressSpan>& spans,
                  const QString& path, Report& report) {
    for (const AddressSpan& span : spans) {
        if (span.kind != AddressSpan::Kind::VolumeByte) {
            continue;
        }
        const std::optional<std::uint8_t> b = image.byteAt(span.start);
        if (b && (*b < 0x01 || *b > 0x7F)) {
            report.error(path, image.lineOf(span.start),
                         QCoreApplication::translate("Report", "the %1 is %2, outside 01 to 7F")
                             .arg(span.label, hexByte(*b)));
        }
    }
}

} // namespace

void checkReserve(const FirmwareDataSet& data, const PatchImage& image,
                  const std::vector<AddressSpan>& spans, const QString& path, Report& report) {
    for (const AddressSpan& region : spans) {
        if (region.kind != AddressSpan::Kind::Region) {
            continue;
        }
        const std::uint64_t end = region.start + addresslayout::reserveOf(data, region);
        for (const PatchImage::Range& range : image.ranges()) {
            const std::uint64_t from = std::max(range.start, region.start);
            const std::uint64_t to = std::min(range.end, end);
            if (from < to) {
                report.error(path, image.lineOf(from),
                             QCoreApplication::translate(
                                 "Report", "%1-%2 (%3 bytes) in the first %4 bytes of the "
                                           "%5, kept for the string table: no patch writes "
                                           "there")
                                 .arg(hexAddress(from), hexAddress(to - 1))
                                 .arg(to - from)
                                 .arg(end - region.start)
                                 .arg(region.label));
            }
        }
    }
}

// Bytes a manager's patch writes in its region that none of its table
// entries points at: a slot's data whose table record is lost.
void checkUnreferenced(const PatchImage& image, const std::vector<AddressSpan>& spans,
                       const tableentrycheck::Pointed& pointed, const Kinds& kinds,
                       const QString& path, Report& report) {
    std::vector<std::pair<std::uint64_t, std::uint64_t>> known(pointed);
    for (const AddressSpan& span : spans) {
        if (span.kind != AddressSpan::Kind::Region) {
            known.emplace_back(span.start, span.end);
        }
    }
    std::sort(known.begin(), known.end());
    for (const AddressSpan& region : spans) {
        if (region.kind != AddressSpan::Kind::Region || !kinds.of(*region.manager)) {
            continue;
        }
        for (const PatchImage::Range& range : image.ranges()) {
            std::uint64_t at = std::max(range.start, region.start);
            const std::uint64_t end = std::min(range.end, region.end);
            auto report_ = [&](std::uint64_t to) {
                if (to > at) {
                    report.error(path, image.lineOf(at),
                                 QCoreApplication::translate(
                                     "Report",
                                     "%1-%2 (%3 bytes) in the %4: no table entry of the patch "
                                     "points at them")
                                     .arg(hexAddress(at), hexAddress(to - 1))
                                     .arg(to - at)
                                     .arg(region.label));
                }
            };
            for (const auto& [from, to] : known) {
                if (at >= end) {
                    break;
                }
                if (to <= at || from >= end) {
                    continue;
                }
                report_(std::min(from, end));
                at = std::max(at, to);
            }
            if (at < end) {
                report_(end);
            }
        }
    }
}

void check(const PatchImage& image, const std::vector<AddressSpan>& spans,
           const std::vector<FixedRecord>& fixed, const Kinds& kinds, const QString& path,
           Report& report) {
    checkCut(image, spans, kinds, path, report);
    checkFixed(image, fixed, kinds, path, report);
    checkVolumes(image, spans, path, report);
}

} // namespace patchcontentcheck

// SPDX-License-Identifier: MIT
#include "check/PatchMatch.h"

#include "actions/ManagerSteps.h"
#include "base/TarvexError.h"
#include "dataset/NumericText.h"
#include "manager/AddressLayout.h"
#include "manager/PatchAssembly.h"

#include <QCoreApplication>
#include <QJsonObject>

namespace patchmatch {

namespace {

using numeric::hexAddress;

using numeric::hexByte;

enum Text { Matches, CannotBuild, Slot };

QString text(const ManagerInfo& info, Text which) {
    static const char* const kTexts[][3] = {
        {QT_TRANSLATE_NOOP("Report", "matches the current melody choices: %1"),
         QT_TRANSLATE_NOOP("Report", "the current melody choices cannot be built: %1"),
         QT_TRANSLATE_NOOP("Report", "melody slot %1")},
        {QT_TRANSLATE_NOOP("Report", "matches the current Java choices: %1"),
         QT_TRANSLATE_NOOP("Report", "the current Java choices cannot be built: %1"),
         QT_TRANSLATE_NOOP("Report", "Java slot %1")},
        {QT_TRANSLATE_NOOP("Report", "matches the current picture choices: %1"),
         QT_TRANSLATE_NOOP("Report", "the current picture choices cannot be built: %1"),
         QT_TRANSLATE_NOOP("Report", "picture slot %1")},
    };
    return QCoreApplication::translate("Report", kTexts[int(info.kind)][which]);
}

// Every byte of the lines, as the last record writing it leaves it.
void readBuild(const S3LineList& lines, PatchImage& image) {
    srec::SRecord record;
    auto each = [&](const std::function<void(qsizetype)>& use) {
        for (qsizetype i = 0; i < lines.count(); ++i) {
            if (srec::parseRecord(lines.line(i), record).isEmpty() && record.isData()) {
                use(i);
            }
        }
    };
    each([&](qsizetype i) { image.add(record.address, record.data.size(), i + 1); });
    image.finish();
    for (const PatchImage::Range& range : image.ranges()) {
        image.want(range.start, range.end);
    }
    image.beginPass();
    each([&](qsizetype i) { image.keep(record.address, record.data, i + 1); });
}

bool sameRanges(const PatchImage& a, const PatchImage& b) {
    return std::equal(a.ranges().begin(), a.ranges().end(), b.ranges().begin(), b.ranges().end(),
                      [](const PatchImage::Range& x, const PatchImage::Range& y) {
                          return x.start == y.start && x.end == y.end;
                      });
}

// Where the build places each new file: end to end from the base address.
void placeSlots(const FirmwareDataSet& data, const SlotTable& table, Expected& e,
                PatchImage& patch) {
    const ManagerInfo& info = *e.info;
    std::uint64_t at = std::uint32_t(patch::baseAddress(data, info));
    const QStringList& tableLines = data.list(info.tableList);
    for (qsizetype i = 0; i < data.list(info.filesList).size(); ++i) {
        if (const auto address = numeric::hexField(tableLines.value(i), 8)) {
            e.entries.push_back(i);
            e.entryAddresses.push_back(*address);
        }
        if (!patch::hasNewFile(table, i)) {
            continue;
        }
        const auto size = std::uint64_t(std::uint32_t(numeric::toInt(table.size(i))));
        e.newFiles.push_back({i, table.fileName(i), at, at + size});
        patch.want(at, at + size);
        at += size;
    }
    if (info.keepsVolumeLists && data.volumesAvailable()) {
        for (const QString& line : data.list(managers::kVolumeOffsetsList)) {
            const auto address = numeric::hexField(line, 8);
            e.volumeAddresses.push_back(
                address
                    ? *address
                    : numeric::kAddressSpace); // past the address space: no patch byte lies there
        }
    }
}

} // namespace

Expected expect(const FirmwareDataSet& data, const ManagerInfo& info, PatchImage& patch,
                bool patchOf) {
    Expected e;
    e.info = &info;
    e.patchOf = patchOf;
    e.image = std::make_shared<PatchImage>();
    try {
        // A slot table is a view of the lists; building the patch only reads them.
        const SlotTable table(const_cast<FirmwareDataSet&>(data), info);
        readBuild(patch::build(table, managersteps::of(info).patchHooks(), {}), *e.image);
        if (patchOf) {
            placeSlots(data, table, e, patch);
        }
    } catch (const TarvexError& error) {
        e.problem = error.message();
        e.sameBytes = false;
        return e;
    }
    e.sameRanges = sameRanges(*e.image, patch);
    return e;
}

bool needsBytes(const std::vector<Expected>& expected) {
    for (const Expected& e : expected) {
        if (e.sameRanges || !e.newFiles.empty()) {
            return true;
        }
    }
    return false;
}

std::function<void(const srec::SRecord&)> visitor(std::vector<Expected>& expected) {
    if (!needsBytes(expected)) {
        return {};
    }
    return [&expected](const srec::SRecord& record) {
        for (Expected& e : expected) {
            if (e.sameRanges && e.sameBytes && !e.image->holds(record.address, record.data)) {
                e.sameBytes = false;
            }
        }
    };
}

void report(const std::vector<Expected>& expected, const PatchImage& patch, const QString& path,
            Report& report) {
    QJsonObject matches;
    for (const Expected& e : expected) {
        const ManagerInfo& info = *e.info;
        if (!e.problem.isEmpty()) {
            report.warning(path, 0, text(info, CannotBuild).arg(e.problem));
        }
        // A patch of this manager: name the entries and slots that differ.
        for (std::size_t k = 0; e.patchOf && k < e.entries.size(); ++k) {
            QString mine;
            QString theirs;
            for (std::uint64_t a = e.entryAddresses[k]; a < e.entryAddresses[k] + 8; ++a) {
                const std::optional<std::uint8_t> p = patch.byteAt(a);
                const std::optional<std::uint8_t> b = e.image->byteAt(a);
                mine += p ? hexByte(*p) : QStringLiteral("--");
                theirs += b ? hexByte(*b) : QStringLiteral("--");
            }
            if (mine != theirs && mine != QStringLiteral("----------------")) {
                report.warning(
                    path, patch.lineOf(e.entryAddresses[k]),
                    QCoreApplication::translate(
                        "Report", "%1: the table entry is %2, the current choices give %3")
                        .arg(text(info, Slot).arg(e.entries[k]), mine, theirs));
            }
        }
        // A volume changed since the patch was built.
        for (std::size_t slot = 0; slot < e.volumeAddresses.size(); ++slot) {
            const std::uint64_t a = e.volumeAddresses[slot];
            const std::optional<std::uint8_t> p = patch.byteAt(a);
            const std::optional<std::uint8_t> b = e.image->byteAt(a);
            if (p && b && *p != *b) {
                report.warning(path, patch.lineOf(a),
                               QCoreApplication::translate(
                                   "Report", "%1: the volume byte at %2 is %3 (volume %4), the "
                                             "current choices give %5 (volume %6)")
                                   .arg(text(info, Slot).arg(slot), hexAddress(a), hexByte(*p))
                                   .arg(int(*p))
                                   .arg(hexByte(*b))
                                   .arg(int(*b)));
            }
        }
        for (const SlotData& s : e.newFiles) {
            for (std::uint64_t a = s.start; a < s.end; ++a) {
                const std::optional<std::uint8_t> p = patch.byteAt(a);
                const std::optional<std::uint8_t> b = e.image->byteAt(a);
                if (p == b) {
                    continue;
                }
                const QString where =
                    QCoreApplication::translate(
                        "Report", "%1 differs from its working copy %2 at byte %3 (%4)")
                        .arg(text(info, Slot).arg(s.slot), s.file)
                        .arg(a - s.start)
                        .arg(hexAddress(a));
                report.warning(
                    path, patch.lineOf(a),
                    p ? QCoreApplication::translate(
                            "Report", "%1: the patch writes %2, the working copy gives %3")
                            .arg(where, hexByte(*p), b ? hexByte(*b) : QString())
                      : QCoreApplication::translate("Report", "%1: the patch does not write it")
                            .arg(where));
                break;
            }
        }
        // A patch with errors is no build of the current choices, whatever its bytes.
        const bool same =
            report.errors() == 0 && e.problem.isEmpty() && e.sameRanges && e.sameBytes;
        report.addSummary(text(info, Matches)
                              .arg(same ? QCoreApplication::translate("Report", "yes")
                                        : QCoreApplication::translate("Report", "no")));
        matches.insert(info.id, same);
    }
    report.setJson(QStringLiteral("matches"), matches);
}

} // namespace patchmatch

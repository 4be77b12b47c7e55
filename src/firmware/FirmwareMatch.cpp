// SPDX-License-Identifier: MIT
#include "firmware/FirmwareMatch.h"

#include "base/TextLines.h"
#include "content/ContentInfo.h"
#include "dataset/ManagerInfo.h"
#include "dataset/NumericText.h"
#include "firmware/StandardResources.h"
#include "manager/AddressLayout.h"
#include "srec/TableEntry.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>

namespace firmwarematch {

namespace {

using numeric::hexAddress;

using numeric::hexBytes;

struct Extent {
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    QString label;
};

class Matcher {
public:
    Matcher(const FirmwareDataSet& data, const FirmwareImage& image, Result& result)
        : data_(data), image_(image), result_(result), report_(result.report),
          iniLines_(standardresources::memoryIniLines(data)) {}

    void run() {
        resources();
        volumes();
        fixedRecords();
        regions();
    }

private:
    void resources() {
        const std::vector<StandardResource> all = standardresources::of(data_);
        for (const ManagerInfo* info : managers::all()) {
            if (!data_.isAvailable(*info)) {
                continue;
            }
            const ResourceTexts& texts = info->texts;
            Tally entries{texts.entriesMatch};
            Tally whole{texts.resourcesWhole};
            for (const StandardResource& r : all) {
                if (r.manager != info) {
                    continue;
                }
                ++entries.total;
                ++whole.total;
                if (entryMatches(r)) {
                    ++entries.matched;
                } else {
                    ++result_.entriesDiffering;
                }
                if (!r.entry) {
                    continue; // the entry's finding says why
                }
                const standardresources::Bytes bytes = standardresources::in(image_, r);
                if (!bytes.problem.isEmpty()) {
                    ++result_.resourcesMissing;
                    report_.error(r.entryFile, r.line(),
                                  QCoreApplication::translate("Report", "%1: %2")
                                      .arg(r.standardLabel(), bytes.problem));
                    continue;
                }
                ++whole.matched;
                if (info->pairedRows) {
                    comparePair(r, bytes);
                }
                extents_.push_back({r.fields.address, r.fields.address + bytes.length,
                                    QCoreApplication::translate("Report", "%1 (%2-%3)")
                                        .arg(r.standardLabel(), hexAddress(r.fields.address),
                                             hexAddress(r.fields.address + bytes.length - 1))});
            }
            result_.tallies.push_back(entries);
            result_.tallies.push_back(whole);
        }
    }

    // A standard game is a pair too: its JAD (even slot) must give the size
    // of its JAR (the next slot), or the phone will not start it.
    void comparePair(const StandardResource& r, const standardresources::Bytes& bytes) {
        if (!managers::isJarSlot(r.slot)) {
            const content::ContentInfo jad = content::describe(
                QByteArrayView(reinterpret_cast<const char*>(bytes.data), qsizetype(bytes.length)));
            declaredJarSize_ = {r.slot, jad.kind == content::Kind::Jad ? jad.declaredJarSize : -1};
            jadFile_ = r.entryFile;
            return;
        }
        if (declaredJarSize_.first == r.slot - 1 && declaredJarSize_.second >= 0 &&
            quint64(declaredJarSize_.second) != bytes.length) {
            report_.warning(jadFile_, r.slot,
                            QCoreApplication::translate(
                                "Report", "the standard JAD of slot %1 gives MIDlet-Jar-Size %2, "
                                          "but the standard JAR of slot %3 has %4 bytes")
                                .arg(r.slot - 1)
                                .arg(declaredJarSize_.second)
                                .arg(r.slot)
                                .arg(bytes.length));
        }
    }

    bool entryMatches(const StandardResource& r) {
        const QString what = r.entryLabel();
        if (!r.tableAddress) {
            report_.error(
                r.tableFile, r.line(),
                QCoreApplication::translate("Report", "%1 has no address of 8 hexadecimal digits")
                    .arg(what));
            return false;
        }
        if (!r.entry) {
            report_.error(r.entryFile, r.line(),
                          QCoreApplication::translate(
                              "Report", "%1 has no standard value of 16 hexadecimal digits")
                              .arg(what));
            return false;
        }
        const std::uint8_t* held = image_.bytesAt(*r.tableAddress, 8);
        if (!held) {
            report_.error(
                r.tableFile, r.line(),
                QCoreApplication::translate("Report", "%1 at %2 lies outside the firmware's bytes")
                    .arg(what, hexAddress(*r.tableAddress)));
            return false;
        }
        if (!std::equal(held, held + 8, r.entry->begin())) {
            report_.error(
                r.entryFile, r.line(),
                QCoreApplication::translate("Report", "%1 at %2 holds %3, not the standard %4")
                    .arg(what, hexAddress(*r.tableAddress), hexBytes(held, 8),
                         tableentry::text(*r.entry)));
            return false;
        }
        return true;
    }

    void volumes() {
        if (!data_.volumesAvailable()) {
            return;
        }
        const QStringList& offsets = data_.list(managers::kVolumeOffsetsList);
        const QStringList& standard = data_.list(managers::kStandardVolumesList);
        const QString offsetsFile = data_.dataFile(managers::kVolumeOffsetsList);
        const QString standardFile = data_.dataFile(managers::kStandardVolumesList);
        Tally tally{QT_TRANSLATE_N_NOOP("Report", "volume bytes hold their standard volume")};
        for (qsizetype i = 0; i < offsets.size(); ++i) {
            ++tally.total;
            const auto address = numeric::hexField(offsets[i], 8);
            const auto volume = numeric::hexField(standard.value(i), 2);
            if (!address || !volume) {
                report_.error(
                    address ? standardFile : offsetsFile, i + 1,
                    QCoreApplication::translate(
                        "Report", "the volume byte of slot %1 has no address or standard volume")
                        .arg(i));
                continue;
            }
            const std::optional<std::uint8_t> held = image_.byteAt(*address);
            if (!held) {
                report_.error(
                    offsetsFile, i + 1,
                    QCoreApplication::translate(
                        "Report",
                        "the volume byte of slot %1 at %2 lies outside the firmware's bytes")
                        .arg(i)
                        .arg(hexAddress(*address)));
            } else if (*held != *volume) {
                report_.error(
                    standardFile, i + 1,
                    QCoreApplication::translate(
                        "Report", "the volume byte of slot %1 at %2 holds %3, not the standard %4")
                        .arg(i)
                        .arg(hexAddress(*address), hexBytes(&*held, 1),
                             standard.value(i).toUpper()));
            } else {
                ++tally.matched;
            }
        }
        result_.tallies.push_back(tally);
    }

    void fixedRecords() {
        Tally tally{QT_TRANSLATE_N_NOOP(
            "Report", "required patch records are applied or write over the firmware's bytes")};
        int applied = 0;
        standardresources::reportUnreadableRequiredPatches(data_, report_);
        for (const AddressSpan& span : addresslayout::fixedRecords(data_, iniLines_)) {
            ++tally.total;
            const std::uint8_t* held = image_.bytesAt(span.start, span.bytes.size());
            if (held && std::equal(span.bytes.begin(), span.bytes.end(), held)) {
                ++applied;
                ++tally.matched;
            } else if (held) {
                ++tally.matched;
            } else {
                report_.error(
                    span.file, span.line,
                    QCoreApplication::translate(
                        "Report", "%1 writes %2 bytes at %3, of which only %4 lie in the firmware")
                        .arg(span.label)
                        .arg(span.bytes.size())
                        .arg(hexAddress(span.start))
                        .arg(image_.heldBytes(span.start, span.end)));
            }
        }
        if (tally.total > 0) {
            tally.suffix =
                QCoreApplication::translate("Report", " (%1 applied already)").arg(applied);
            result_.tallies.push_back(tally);
        }
    }

    void regions() {
        Tally tally{
            QT_TRANSLATE_N_NOOP("Report", "regions are erased and hold no standard resource")};
        for (const AddressSpan& region : addresslayout::regions(data_, iniLines_)) {
            if (!data_.isAvailable(*region.manager)) {
                continue;
            }
            ++tally.total;
            bool clear = true;
            for (const Extent& e : extents_) {
                if (e.start < region.end && region.start < e.end) {
                    clear = false;
                    report_.error(region.file, region.line,
                                  QCoreApplication::translate("Report", "the %1 %2-%3 holds %4")
                                      .arg(region.label, hexAddress(region.start),
                                           hexAddress(region.end - 1), e.label));
                }
            }
            // Every patch writes into the region, so the firmware must hold nothing there.
            if (const Unerased u = unerased(region.start, region.end); u.count > 0) {
                clear = false;
                report_.error(
                    region.file, region.line,
                    countedText(u.count,
                                QT_TRANSLATE_N_NOOP("Report", "the %1 is not erased: %n byte is "
                                                              "not FF, the first at %2"),
                                QT_TRANSLATE_N_NOOP("Report", "the %1 is not erased: %n bytes "
                                                              "are not FF, the first at %2"))
                        .arg(region.label, hexAddress(u.first)));
            }
            // A byte the firmware does not hold cannot be known erased.
            const std::uint64_t held = image_.heldBytes(region.start, region.end);
            if (held != region.end - region.start) {
                clear = false;
                report_.error(region.file, region.line,
                              QCoreApplication::translate(
                                  "Report", "only %1 of the %2 bytes of the %3 lie in the firmware")
                                  .arg(held)
                                  .arg(region.end - region.start)
                                  .arg(region.label));
            }
            tally.matched += clear ? 1 : 0;
        }
        result_.tallies.push_back(tally);
    }

    struct Unerased {
        std::uint64_t count = 0;
        std::uint64_t first = 0;
    };
    // The bytes of [start, end) the firmware holds that are not erased.
    Unerased unerased(std::uint64_t start, std::uint64_t end) const {
        Unerased u;
        for (const FirmwareImage::Range& r : image_.ranges()) {
            const std::uint64_t from = std::max(start, r.start);
            const std::uint64_t to = std::min(end, r.end());
            for (std::uint64_t a = from; a < to; ++a) {
                if (r.bytes[std::size_t(a - r.start)] != 0xFF) {
                    u.first = u.count == 0 ? a : u.first;
                    ++u.count;
                }
            }
        }
        return u;
    }

    const FirmwareDataSet& data_;
    const FirmwareImage& image_;
    Result& result_;
    Report& report_;
    QStringList iniLines_;
    std::vector<Extent> extents_;
    std::pair<qsizetype, qint64> declaredJarSize_{-1, -1}; // the last standard JAD's slot and size
    QString jadFile_;
};

} // namespace

QString Tally::what() const {
    return QCoreApplication::translate("Report", source, nullptr, matched) + suffix;
}

Report Result::withTallies() const {
    Report out = report;
    for (const Tally& t : tallies) {
        out.addSummary(QCoreApplication::translate("Report", "%1 of %2 %3")
                           .arg(t.matched)
                           .arg(t.total)
                           .arg(t.what()));
    }
    return out;
}

QString Result::text() const {
    return withTallies().text();
}

QJsonObject Result::json() const {
    QJsonObject out = report.json();
    QJsonArray summary;
    for (const Tally& t : tallies) {
        summary.append(QJsonObject{{QStringLiteral("what"), t.what()},
                                   {QStringLiteral("matched"), t.matched},
                                   {QStringLiteral("total"), t.total}});
    }
    out.insert(QStringLiteral("format"), 1);
    out.insert(QStringLiteral("matches"), matches());
    out.insert(QStringLiteral("summary"), summary);
    return out;
}

Result run(const FirmwareDataSet& data, const FirmwareImage& image, const Report& readReport) {
    Result result;
    result.report = readReport;
    Matcher(data, image, result).run();
    return result;
}

} // namespace firmwarematch

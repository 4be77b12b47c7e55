// SPDX-License-Identifier: MIT
#include "check/PatchVerify.h"

#include "base/JsonShape.h"
#include "base/ReportLanguage.h"
#include "check/PatchContentCheck.h"
#include "check/PatchImage.h"
#include "check/PatchMatch.h"
#include "check/TableEntryCheck.h"
#include "dataset/NumericText.h"
#include "manager/AddressLayout.h"
#include "platform/FileOps.h"
#include "srec/SRecordReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <algorithm>
#include <memory>

namespace patchverify {

namespace {

using numeric::hexAddress;

using numeric::kAddressSpace;

// An error where the patch must be exact, else a warning.
void finding(Report& report, bool strict, const QString& path, qint64 line, const QString& text) {
    if (strict) {
        report.error(path, line, text);
    } else {
        report.warning(path, line, text);
    }
}

// The first pass: every line checked, the places each data record writes
// gathered without their bytes.
// With a data set the patch is about to be flashed, so a count record that
// disagrees and a patch that writes nothing are errors, not remarks.
// The standard table entries of the data set's managers, as their records
// write them: such a record anywhere but at a table entry of this data set is
// a table record of a build for another one.
QSet<QByteArray> standardEntries(const FirmwareDataSet& data) {
    QSet<QByteArray> entries;
    for (const ManagerInfo* info : managers::all()) {
        if (data.isAvailable(*info)) {
            for (const QString& line : data.list(info->standardEntryList)) {
                entries.insert(QByteArray::fromHex(line.toLatin1()));
            }
        }
    }
    return entries;
}

// `entries` are looked for in the data records; whether one was found is
// set in *found.
void readLines(QFile& file, const QString& path, bool strict, const QSet<QByteArray>& entries,
               bool* found, PatchImage& image, Report& report) {
    const auto remark = [&](qint64 line, const QString& text) {
        finding(report, strict, path, line, text);
    };
    srec::SRecordReader reader(file);
    srec::SRecordReader::Line line;
    qint64 dataRecords = 0;
    qint64 lastEnd = 0;
    qint64 lastLine = 0; // the last line that is not empty
    bool lastIsEnd = false;
    bool endReported = false;
    while (reader.next(line)) {
        if (line.empty) {
            report.warning(path, line.number,
                           QCoreApplication::translate("Report", "an empty line"));
            continue;
        }
        lastLine = line.number;
        lastIsEnd = false;
        if (!line.error.isEmpty()) {
            report.error(path, line.number, line.error);
            continue;
        }
        if (lastEnd != 0 && !endReported) {
            report.warning(
                path, lastEnd,
                QCoreApplication::translate("Report", "an end record before the last line"));
            endReported = true;
        }
        const srec::SRecord& r = line.record;
        if (r.isHeader() && line.number != 1) {
            report.warning(
                path, line.number,
                QCoreApplication::translate("Report", "a header record after the first line"));
        } else if (r.isEnd()) {
            lastEnd = line.number;
            lastIsEnd = true;
            endReported = false;
        } else if ((r.type == 5 || r.type == 6) && r.address != std::uint64_t(dataRecords)) {
            remark(line.number, QCoreApplication::translate(
                                    "Report", "counts %1 data records, %2 come before it")
                                    .arg(r.address)
                                    .arg(dataRecords));
        } else if (r.isData()) {
            ++dataRecords;
            if (std::uint64_t(r.address) + r.data.size() > kAddressSpace) {
                report.error(path, line.number,
                             QCoreApplication::translate(
                                 "Report", "writes past the end of the 32-bit address space"));
                continue;
            }
            image.add(r.address, r.data.size(), line.number);
            if (r.data.size() == 8 && !*found) {
                *found = entries.contains(QByteArray(reinterpret_cast<const char*>(r.data.data()),
                                                     qsizetype(r.data.size())));
            }
        }
    }
    // A loader takes what it gets, so a patch cut short must not pass.
    if (lastLine == 0) {
        report.error(path, 0, QCoreApplication::translate("Report", "empty: not one record"));
    } else if (!lastIsEnd) {
        report.error(path, lastLine,
                     QCoreApplication::translate(
                         "Report", "the last record is not an end record: the patch is cut short"));
    } else if (dataRecords == 0) {
        remark(0, QCoreApplication::translate("Report", "writes no byte"));
    }
}

void reportOverlaps(const std::vector<PatchImage::Overlap>& overlaps, const PatchImage& image,
                    const QString& path, Report& report) {
    for (std::size_t i = 0; i < overlaps.size(); ++i) {
        const PatchImage::Overlap& o = overlaps[i];
        const bool differs = image.overlapDiffers(i);
        const char* source =
            differs ? QT_TRANSLATE_NOOP("Report", "%1-%2 (%3 bytes) written again, first on "
                                                  "line %4, with different values")
                    : QT_TRANSLATE_NOOP("Report", "%1-%2 (%3 bytes) written again, first on "
                                                  "line %4, with the same values");
        const QString text = QCoreApplication::translate("Report", source)
                                 .arg(hexAddress(o.start), hexAddress(o.end - 1))
                                 .arg(o.end - o.start)
                                 .arg(o.firstLine);
        if (differs) {
            report.error(path, o.secondLine, text);
        } else {
            report.warning(path, o.secondLine, text);
        }
    }
}

// What the spans a range touches are, shortest first: "melody table entries (32)".
QStringList describe(const std::vector<const AddressSpan*>& touched) {
    QStringList groups;
    QList<int> counts;
    QStringList single;
    for (const AddressSpan* span : touched) {
        const qsizetype i = groups.indexOf(span->group);
        if (i < 0) {
            groups.append(span->group);
            counts.append(1);
            single.append(span->label);
        } else {
            ++counts[i];
        }
    }
    QStringList out;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        // A region or a required patch is named once, however many of its records.
        const bool counted = counts[i] > 1 && single[i] != groups[i];
        out.append(counted ? QStringLiteral("%1 (%2)").arg(groups[i]).arg(counts[i]) : single[i]);
    }
    return out;
}

// The ranges as the summary lists them: a million of them cost a few
// numbers each, their texts made only when the report is shown.
struct RangeList {
    struct Item {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
        std::uint32_t writes = 0; // index into the distinct descriptions
    };
    std::vector<Item> items;
    std::vector<QStringList> writes;

    QString line(const Item& item) const {
        QString text = QCoreApplication::translate("Report", "%1-%2: %3 bytes")
                           .arg(hexAddress(item.start), hexAddress(item.end - 1))
                           .arg(item.end - item.start);
        const QStringList& what = writes[item.writes];
        if (!what.isEmpty()) {
            text += QStringLiteral(": ") + what.join(QStringLiteral(", "));
        }
        return text;
    }
    QJsonArray json() const {
        QJsonArray array;
        for (const Item& item : items) {
            QJsonObject json{
                {QStringLiteral("bytes"), qint64(item.end - item.start)},
                {QStringLiteral("writes"), QJsonArray::fromStringList(writes[item.writes])}};
            jsonshape::putAddress(json, QStringLiteral("start"), item.start);
            jsonshape::putAddress(json, QStringLiteral("end"), item.end - 1);
            array.append(json);
        }
        return array;
    }
};

// Bytes outside everything the data set names are worth a finding each, up to
// a point: then one more line counts the rest. They are errors in a patch
// that writes what a build of the data set writes: such a patch was made for
// another data set, or was altered, and those bytes land on the firmware's
// code. A custom patch, writing none of it, may write anywhere.
constexpr int kOutsideWarnings = 100;

void summarize(const PatchImage& image, const std::vector<AddressSpan>& spans, bool withData,
               bool strict, const QString& path, Report& report) {
    auto list = std::make_shared<RangeList>();
    list->items.reserve(image.ranges().size());
    QHash<QString, std::uint32_t> known;
    int outside = 0;
    std::uint64_t lastOutside = 0;
    for (const PatchImage::Range& range : image.ranges()) {
        std::vector<const AddressSpan*> touched;
        std::vector<std::pair<std::uint64_t, std::uint64_t>> covered;
        for (const AddressSpan& span : spans) {
            if (span.start < range.end && range.start < span.end) {
                touched.push_back(&span);
                covered.emplace_back(std::max(span.start, range.start),
                                     std::min(span.end, range.end));
            }
        }
        std::sort(covered.begin(), covered.end());
        std::uint64_t at = range.start;
        auto gap = [&](std::uint64_t to) {
            if (!withData || to <= at) {
                return;
            }
            if (++outside <= kOutsideWarnings) {
                finding(report, strict, path, image.lineOf(at),
                        QCoreApplication::translate(
                            "Report",
                            "%1-%2 (%3 bytes) lie outside every region, table entry, volume "
                            "byte and required patch")
                            .arg(hexAddress(at), hexAddress(to - 1))
                            .arg(to - at));
            }
            lastOutside = at;
        };
        for (const auto& [from, to] : covered) {
            gap(from);
            at = std::max(at, to);
        }
        gap(range.end);
        const QStringList writes = describe(touched);
        const QString key = writes.join(QLatin1Char('\n'));
        auto found = known.constFind(key);
        if (found == known.constEnd()) {
            found = known.insert(key, std::uint32_t(list->writes.size()));
            list->writes.push_back(writes);
        }
        list->items.push_back({range.start, range.end, *found});
    }
    if (outside > kOutsideWarnings) {
        finding(report, strict, path, image.lineOf(lastOutside),
                QCoreApplication::translate(
                    "Report",
                    "%1 more ranges lie outside every region, table entry, volume byte and "
                    "required patch, the last at %2")
                    .arg(outside - kOutsideWarnings)
                    .arg(hexAddress(lastOutside)));
    }
    report.addSummary([list](const Report::LineSink& sink) {
        for (const RangeList::Item& item : list->items) {
            sink(list->line(item));
        }
    });
    // Also when empty or after errors.
    report.setJson(QStringLiteral("ranges"), [list] { return QJsonValue(list->json()); });
}

// Reads the file again, keeping the bytes the image asks for; `visit` sees
// every well-formed data record when given.
void readBytes(const QString& path, PatchImage& image,
               const std::function<void(const srec::SRecord&)>& visit = {}) {
    QFile file;
    if (!fileops::openRegular(file, path)) {
        return;
    }
    image.beginPass();
    srec::SRecordReader reader(file);
    std::string_view text;
    qint64 number = 0;
    srec::SRecord record;
    int type = 0;
    std::uint32_t address = 0;
    std::size_t length = 0;
    while (reader.nextText(text, number)) {
        if (!srec::peekRecord(text, type, address, length) || type < 1 || type > 3 ||
            std::uint64_t(address) + length > kAddressSpace ||
            (!visit && !image.touches(address, length)) ||
            !srec::parseRecord(text, record).isEmpty()) {
            continue;
        }
        image.keep(record.address, record.data, number);
        if (visit) {
            visit(record);
        }
    }
}

} // namespace

Report run(const QString& patchPath, const FirmwareDataSet* data, const QString& name) {
    const QString shown = name.isEmpty() ? patchPath : name;
    Report report;
    QFile file;
    const QFileInfo info(patchPath);
    QString reason;
    // Checked before opening: a FIFO would block the read.
    if (info.exists() && !info.isFile()) {
        report.error(shown, 0, QCoreApplication::translate("Report", "not a regular file"));
    } else if (!fileops::openRegular(file, patchPath, &reason)) {
        report.error(shown, 0, reportlanguage::cannotBeRead(reason));
    }
    if (report.errors() > 0) {
        // The same fields as for a patch that could be read.
        report.setJson(QStringLiteral("ranges"), QJsonArray());
        if (data) {
            QJsonObject matches;
            for (const ManagerInfo* info : managers::all()) {
                if (data->isAvailable(*info)) {
                    matches.insert(info->id, false);
                }
            }
            report.setJson(QStringLiteral("matches"), matches);
        }
        return report;
    }
    PatchImage image;
    bool standardEntry = false; // a record of a standard table entry, wherever it lies
    readLines(file, shown, data != nullptr, data ? standardEntries(*data) : QSet<QByteArray>(),
              &standardEntry, image, report);
    file.close();
    const std::vector<PatchImage::Overlap> overlaps = image.finish();
    for (const PatchImage::Overlap& o : overlaps) {
        image.want(o.start, o.end);
    }
    std::vector<AddressSpan> spans;
    std::vector<patchcontentcheck::FixedRecord> fixed;
    if (data) {
        QStringList iniLines; // names no Memory.ini line: the patch is what is checked
        spans = addresslayout::regions(*data, iniLines);
        const std::vector<AddressSpan> entries = addresslayout::tableEntries(*data);
        const std::vector<AddressSpan> fixedSpans = addresslayout::fixedRecords(*data, iniLines);
        spans.insert(spans.end(), entries.begin(), entries.end());
        spans.insert(spans.end(), fixedSpans.begin(), fixedSpans.end());
        fixed = patchcontentcheck::fixedRecords(fixedSpans);
        for (const AddressSpan& span : spans) {
            if (span.kind != AddressSpan::Kind::Region) {
                image.want(span.start, span.end);
            }
        }
    }
    if (image.wantsPass()) {
        readBytes(patchPath, image);
    }
    reportOverlaps(overlaps, image, shown, report);
    if (data) {
        const patchcontentcheck::Kinds kinds = patchcontentcheck::kindsOf(image, spans);
        tableentrycheck::wantPictures(image, spans);
        std::vector<patchmatch::Expected> expected;
        for (const ManagerInfo* info : managers::all()) {
            if (data->isAvailable(*info)) {
                expected.push_back(patchmatch::expect(*data, *info, image, kinds.of(*info)));
            }
        }
        if (image.wantsPass() || patchmatch::needsBytes(expected)) {
            readBytes(patchPath, image, patchmatch::visitor(expected));
        }
        patchcontentcheck::check(image, spans, fixed, kinds, shown, report);
        patchcontentcheck::checkReserve(*data, image, spans, shown, report);
        const tableentrycheck::Pointed pointed =
            tableentrycheck::run(*data, image, spans, shown, report);
        patchcontentcheck::checkUnreferenced(image, spans, pointed, kinds, shown, report);
        summarize(image, spans, true, kinds.placed() || standardEntry, shown, report);
        patchmatch::report(expected, image, shown, report);
    } else {
        summarize(image, spans, false, false, shown, report);
    }
    return report;
}

} // namespace patchverify

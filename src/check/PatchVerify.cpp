#include "check/PatchVerify.h"

#include "base/JsonShape.h"
#include "check/AddressLayout.h"
#include "check/PatchImage.h"
#include "check/TableEntryCheck.h"
#include "srec/SRecordReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <algorithm>

namespace patchverify {

namespace {

using addresslayout::hexAddress;

constexpr std::uint64_t kAddressSpace = std::uint64_t(1) << 32;

// Reads every line into the image and reports the lines themselves.
void readLines(QFile& file, const QString& path, PatchImage& image, Report& report) {
    srec::SRecordReader reader(file);
    srec::SRecordReader::Line line;
    qint64 dataRecords = 0;
    qint64 lastEnd = 0;
    bool endReported = false;
    while (reader.next(line)) {
        if (line.empty) {
            report.warning(path, line.number,
                           QCoreApplication::translate("Report", "an empty line"));
            continue;
        }
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
            endReported = false;
        } else if ((r.type == 5 || r.type == 6) && r.address != std::uint64_t(dataRecords)) {
            report.warning(
                path, line.number,
                QCoreApplication::translate("Report", "counts %1 data records, %2 come before it")
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
            image.add(r.address, r.data, line.number);
        }
    }
    if (dataRecords == 0) {
        report.warning(path, 0, QCoreApplication::translate("Report", "writes no byte"));
    }
}

void reportOverlaps(const std::vector<PatchImage::Overlap>& overlaps, const QString& path,
                    Report& report) {
    for (const PatchImage::Overlap& o : overlaps) {
        const char* source =
            o.differs ? QT_TRANSLATE_NOOP("Report", "%1-%2 (%3 bytes) written again, first on "
                                                    "line %4, with different values")
                      : QT_TRANSLATE_NOOP("Report", "%1-%2 (%3 bytes) written again, first on "
                                                    "line %4, with the same values");
        const QString text = QCoreApplication::translate("Report", source)
                                 .arg(hexAddress(o.start), hexAddress(o.end - 1))
                                 .arg(o.end - o.start)
                                 .arg(o.firstLine);
        if (o.differs) {
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

void summarize(const PatchImage& image, const std::vector<AddressSpan>& spans, bool withData,
               const QString& path, Report& report) {
    for (const PatchImage::Range& range : image.ranges()) {
        std::vector<const AddressSpan*> touched;
        std::vector<std::pair<std::uint64_t, std::uint64_t>> covered;
        for (const AddressSpan& span : spans) {
            if (span.start < range.end() && range.start < span.end) {
                touched.push_back(&span);
                covered.emplace_back(std::max(span.start, range.start),
                                     std::min(span.end, range.end()));
            }
        }
        std::sort(covered.begin(), covered.end());
        std::uint64_t at = range.start;
        auto gap = [&](std::uint64_t to) {
            if (withData && to > at) {
                report.warning(path, image.lineOf(at),
                               QCoreApplication::translate(
                                   "Report", "%1-%2 (%3 bytes) lie outside every region, table "
                                             "entry, volume byte and required patch")
                                   .arg(hexAddress(at), hexAddress(to - 1))
                                   .arg(to - at));
            }
        };
        for (const auto& [from, to] : covered) {
            gap(from);
            at = std::max(at, to);
        }
        gap(range.end());
        const QStringList writes = describe(touched);
        QString line = QCoreApplication::translate("Report", "%1-%2: %3 bytes")
                           .arg(hexAddress(range.start), hexAddress(range.end() - 1))
                           .arg(range.bytes.size());
        if (!writes.isEmpty()) {
            line += QStringLiteral(": ") + writes.join(QStringLiteral(", "));
        }
        QJsonObject json{{QStringLiteral("bytes"), qint64(range.bytes.size())},
                         {QStringLiteral("writes"), QJsonArray::fromStringList(writes)}};
        jsonshape::putAddress(json, QStringLiteral("start"), range.start);
        jsonshape::putAddress(json, QStringLiteral("end"), range.end() - 1);
        report.addSummary(line, json);
    }
}

} // namespace

Report run(const QString& patchPath, const FirmwareDataSet* data) {
    Report report;
    QFile file(patchPath);
    if (!file.open(QIODevice::ReadOnly)) {
        report.error(patchPath, 0,
                     QCoreApplication::translate("Report", "cannot be read: %1")
                         .arg(file.errorString()));
        return report;
    }
    PatchImage image;
    readLines(file, patchPath, image, report);
    reportOverlaps(image.finish(), patchPath, report);
    std::vector<AddressSpan> spans;
    if (data) {
        QStringList iniLines; // names no Memory.ini line: the patch is what is checked
        spans = addresslayout::regions(*data, iniLines);
        const std::vector<AddressSpan> entries = addresslayout::tableEntries(*data);
        const std::vector<AddressSpan> fixed = addresslayout::fixedRecords(*data, iniLines);
        spans.insert(spans.end(), entries.begin(), entries.end());
        spans.insert(spans.end(), fixed.begin(), fixed.end());
        tableentrycheck::run(*data, image, spans, patchPath, report);
    }
    summarize(image, spans, data != nullptr, patchPath, report);
    return report;
}

} // namespace patchverify

#include "check/PatchVerify.h"

#include "base/JsonShape.h"
#include "check/AddressLayout.h"
#include "check/PatchImage.h"
#include "check/PatchMatch.h"
#include "check/TableEntryCheck.h"
#include "platform/FileOps.h"
#include "srec/SRecordReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <map>
#include <memory>

namespace patchverify {

namespace {

using addresslayout::hexAddress;

constexpr std::uint64_t kAddressSpace = std::uint64_t(1) << 32;

QString hexByte(std::uint8_t value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

// The first pass: every line checked, the places each data record writes
// gathered without their bytes.
void readLines(QFile& file, const QString& path, PatchImage& image, Report& report) {
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
            image.add(r.address, r.data.size(), line.number);
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
        report.warning(path, 0, QCoreApplication::translate("Report", "writes no byte"));
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

// Bytes outside everything the data set names are worth a warning each, up to
// a point: then one more line counts the rest.
constexpr int kOutsideWarnings = 100;

void summarize(const PatchImage& image, const std::vector<AddressSpan>& spans, bool withData,
               const QString& path, Report& report) {
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
                report.warning(path, image.lineOf(at),
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
        report.warning(path, image.lineOf(lastOutside),
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

// A record the data set says every patch of a manager carries: the Patch64K
// line, or a data record of a required patch.
struct FixedRecord {
    QString label; // "the Patch64K line", "required patch a.s3"
    QString file;
    qint64 line = 0;
    bool patch64K = false;
    std::uint64_t address = 0;
    std::vector<std::uint8_t> data;
    std::uint64_t end() const { return address + data.size(); }
};

std::vector<FixedRecord> fixedRecords(const FirmwareDataSet& data) {
    std::vector<FixedRecord> records;
    auto add = [&](const srec::SRecord& r, const QString& label, const QString& file, qint64 line,
                   bool patch64K) {
        if (r.isData() && !r.data.empty() && r.address + r.data.size() <= kAddressSpace) {
            records.push_back({label, file, line, patch64K, r.address, r.data});
        }
    };
    if (data.isAvailable(managers::melodies())) {
        const QByteArray text = data.memoryMap().patch64K.toLatin1();
        srec::SRecord record;
        if (srec::parseRecord(std::string_view(text.constData(), std::size_t(text.size())), record)
                .isEmpty()) {
            add(record, QCoreApplication::translate("Report", "the Patch64K line"),
                data.dataFile(QStringLiteral("Memory.ini")), 0, true);
        }
    }
    addresslayout::forEachRequiredLine(
        data,
        [&](const QString& file, const srec::SRecordReader::Line& line) {
            if (line.error.isEmpty() && !line.empty) {
                add(line.record,
                    QCoreApplication::translate("Report", "required patch %1")
                        .arg(fileops::bareName(file)),
                    file, line.number, false);
            }
        },
        [](const QString&) {});
    return records;
}

// What the patch is: which managers' table entries it rewrites.
struct Kinds {
    std::map<const ManagerInfo*, int> entries; // entries written, per manager
    bool any() const { return !entries.empty(); }
    bool of(const ManagerInfo& info) const { return entries.count(&info) != 0; }
};

Kinds kindsOf(const PatchImage& image, const std::vector<AddressSpan>& spans) {
    Kinds kinds;
    for (const AddressSpan& span : spans) {
        if (span.kind == AddressSpan::Kind::TableEntry &&
            image.writtenBytes(span.start, span.end) > 0) {
            ++kinds.entries[span.manager];
        }
    }
    return kinds;
}

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
                QCoreApplication::translate(
                    "Report",
                    "%1 of the %2 %3 are missing, the first the %4: the patch is cut short "
                    "or incomplete")
                    .arg(m.count)
                    .arg(m.total)
                    .arg(group, m.first->label));
        }
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

// Reads the file again, keeping the bytes the image asks for; `visit` sees
// every well-formed data record when given.
void readBytes(const QString& path, PatchImage& image,
               const std::function<void(const srec::SRecord&)>& visit = {}) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
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

Report run(const QString& patchPath, const FirmwareDataSet* data) {
    Report report;
    QFile file(patchPath);
    const QFileInfo info(patchPath);
    // Checked before opening: a FIFO would block the read.
    if (info.exists() && !info.isFile()) {
        report.error(patchPath, 0, QCoreApplication::translate("Report", "not a regular file"));
    } else if (!file.open(QIODevice::ReadOnly)) {
        report.error(
            patchPath, 0,
            QCoreApplication::translate("Report", "cannot be read: %1").arg(file.errorString()));
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
    readLines(file, patchPath, image, report);
    file.close();
    const std::vector<PatchImage::Overlap> overlaps = image.finish();
    for (const PatchImage::Overlap& o : overlaps) {
        image.want(o.start, o.end);
    }
    std::vector<AddressSpan> spans;
    std::vector<FixedRecord> fixed;
    if (data) {
        QStringList iniLines; // names no Memory.ini line: the patch is what is checked
        spans = addresslayout::regions(*data, iniLines);
        const std::vector<AddressSpan> entries = addresslayout::tableEntries(*data);
        const std::vector<AddressSpan> fixedSpans = addresslayout::fixedRecords(*data, iniLines);
        spans.insert(spans.end(), entries.begin(), entries.end());
        spans.insert(spans.end(), fixedSpans.begin(), fixedSpans.end());
        fixed = fixedRecords(*data);
        for (const AddressSpan& span : spans) {
            if (span.kind != AddressSpan::Kind::Region) {
                image.want(span.start, span.end);
            }
        }
    }
    if (image.wantsPass()) {
        readBytes(patchPath, image);
    }
    reportOverlaps(overlaps, image, patchPath, report);
    if (data) {
        const Kinds kinds = kindsOf(image, spans);
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
        checkCut(image, spans, kinds, patchPath, report);
        checkFixed(image, fixed, kinds, patchPath, report);
        checkVolumes(image, spans, patchPath, report);
        const tableentrycheck::Pointed pointed =
            tableentrycheck::run(*data, image, spans, patchPath, report);
        checkUnreferenced(image, spans, pointed, kinds, patchPath, report);
        summarize(image, spans, true, patchPath, report);
        patchmatch::report(expected, image, patchPath, report);
    } else {
        summarize(image, spans, false, patchPath, report);
    }
    return report;
}

} // namespace patchverify

// SPDX-License-Identifier: MIT
#include "firmware/FirmwareRevert.h"

#include "base/JsonShape.h"
#include "dataset/NumericText.h"
#include "firmware/FirmwareApply.h"
#include "platform/OutputFile.h"

#include <QBuffer>
#include <QJsonArray>
#include <algorithm>
#include <cstring>

namespace firmwarerevert {

namespace {

using numeric::hexAddress;

QString rangeText(std::uint64_t start, std::uint64_t end) {
    return QStringLiteral("[%1, %2)").arg(hexAddress(start), hexAddress(end));
}

// Sorts and joins spans that overlap or touch.
std::vector<Span> joined(std::vector<Span> spans) {
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.start < b.start; });
    std::vector<Span> out;
    for (const Span& s : spans) {
        if (!out.empty() && s.start <= out.back().end) {
            out.back().end = std::max(out.back().end, s.end);
        } else {
            out.push_back(s);
        }
    }
    return out;
}

// The parts of [start, end) the firmware does not hold.
std::vector<Span> outsideParts(const FirmwareImage& firmware, std::uint64_t start,
                               std::uint64_t end) {
    std::vector<Span> parts;
    std::uint64_t at = start;
    for (const FirmwareImage::Range& r : firmware.ranges()) {
        if (r.end() <= at) {
            continue;
        }
        if (r.start >= end) {
            break;
        }
        if (r.start > at) {
            parts.push_back({at, r.start});
        }
        at = r.end();
        if (at >= end) {
            break;
        }
    }
    if (at < end) {
        parts.push_back({at, end});
    }
    return parts;
}

// The first address where the two images differ, or hold different addresses.
std::optional<std::uint64_t> firstDifference(const FirmwareImage& a, const FirmwareImage& b) {
    const auto& ra = a.ranges();
    const auto& rb = b.ranges();
    for (std::size_t i = 0; i < std::min(ra.size(), rb.size()); ++i) {
        if (ra[i].start != rb[i].start) {
            return std::min(ra[i].start, rb[i].start);
        }
        const auto n = std::min(ra[i].bytes.size(), rb[i].bytes.size());
        const auto mismatch = std::mismatch(
            ra[i].bytes.begin(), ra[i].bytes.begin() + std::ptrdiff_t(n), rb[i].bytes.begin());
        if (mismatch.first != ra[i].bytes.begin() + std::ptrdiff_t(n) ||
            ra[i].bytes.size() != rb[i].bytes.size()) {
            return ra[i].start + std::uint64_t(mismatch.first - ra[i].bytes.begin());
        }
    }
    if (ra.size() != rb.size()) {
        return ra.size() > rb.size() ? ra[rb.size()].start : rb[ra.size()].start;
    }
    return std::nullopt;
}

} // namespace

std::vector<Span> writtenRanges(const FirmwareImage& firmware, const QStringList& patches,
                                Report& report) {
    std::vector<Span> all;
    for (const QString& path : patches) {
        // Consecutive records mostly continue one another: one span for a run.
        std::vector<Span> spans;
        std::vector<qint64> lines; // of each span's first record
        firmwareapply::forEachRecord(path, report, [&](const srec::SRecord& r, qint64 line) {
            if (r.data.empty()) {
                return;
            }
            const std::uint64_t end = std::uint64_t(r.address) + r.data.size();
            if (!spans.empty() && spans.back().end == r.address) {
                spans.back().end = end;
            } else {
                spans.push_back({r.address, end});
                lines.push_back(line);
            }
        });
        for (std::size_t i = 0; i < spans.size(); ++i) {
            if (firmware.heldBytes(spans[i].start, spans[i].end) == spans[i].size()) {
                continue;
            }
            for (const Span& part : outsideParts(firmware, spans[i].start, spans[i].end)) {
                report.error(path, lines[i],
                             Report::tr("writes %1 outside the firmware's bytes: a revert patch "
                                        "cannot put back what the firmware does not hold")
                                 .arg(rangeText(part.start, part.end)));
            }
        }
        all.insert(all.end(), spans.begin(), spans.end());
    }
    return joined(std::move(all));
}

Result make(const FirmwareImage& firmware, const QStringList& patches) {
    Result result;
    result.ranges = writtenRanges(firmware, patches, result.report);
    if (result.report.errors() > 0) {
        return result;
    }
    std::vector<FirmwareImage::Range> original;
    original.reserve(result.ranges.size());
    for (const Span& s : result.ranges) {
        const std::uint8_t* bytes = firmware.bytesAt(s.start, s.size());
        original.push_back({s.start, std::vector<std::uint8_t>(bytes, bytes + s.size())});
        result.bytes += s.size();
    }
    FirmwareImage revert = FirmwareImage::fromRanges(std::move(original));
    revert.startAddress = firmware.startAddress;
    QByteArray text;
    firmwareapply::writeS3(revert, [&](const char* data, qint64 size) { text.append(data, size); });

    // The check before anything is written: the patches, then the revert as
    // its text reads back, leave the firmware as it was.
    FirmwareImage check = firmware;
    firmwareapply::apply(check, patches, false, result.report);
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    const QString name = Report::tr("the revert patch");
    firmwareapply::forEachRecord(buffer, name, result.report,
                                 [&](const srec::SRecord&, qint64) { ++result.records; });
    buffer.seek(0);
    firmwareapply::apply(check, buffer, name, result.report);
    if (const auto at = firstDifference(check, firmware)) {
        result.report.error(name, 0,
                            Report::tr("the firmware with the patches and then the revert differs "
                                       "from the firmware at %1")
                                .arg(hexAddress(*at)));
    }
    if (result.report.errors() == 0) {
        result.text = std::move(text);
    }
    return result;
}

bool writtenAsMade(const QString& path, const FirmwareImage& firmware, const Result& result,
                   Report& report) {
    Report read;
    const FirmwareImage back = firmwarefile::read({path, std::nullopt}, read);
    bool same = read.errors() == 0 && back.ranges().size() == result.ranges.size();
    for (std::size_t i = 0; same && i < back.ranges().size(); ++i) {
        const FirmwareImage::Range& r = back.ranges()[i];
        same = r.start == result.ranges[i].start && r.end() == result.ranges[i].end &&
               std::memcmp(r.bytes.data(), firmware.bytesAt(r.start, r.bytes.size()),
                           r.bytes.size()) == 0;
    }
    if (!same) {
        for (const Finding& f : read.findings()) {
            report.error(f.file, f.line, f.text);
        }
        report.error(path, 0, Report::tr("does not read back as the revert patch made"));
    }
    return same;
}

QString Result::summary() const {
    return Report::tr("%1 in %2, %3")
        .arg(countedText(qint64(bytes), QT_TRANSLATE_N_NOOP("Report", "%n byte"),
                         QT_TRANSLATE_N_NOOP("Report", "%n bytes")),
             countedText(qint64(ranges.size()), QT_TRANSLATE_N_NOOP("Report", "%n range"),
                         QT_TRANSLATE_N_NOOP("Report", "%n ranges")),
             countedText(qint64(records), QT_TRANSLATE_N_NOOP("Report", "%n record"),
                         QT_TRANSLATE_N_NOOP("Report", "%n records")));
}

QJsonObject Result::json(const QString& output, bool written) const {
    QJsonObject out = report.json();
    QJsonArray list;
    for (const Span& s : ranges) {
        QJsonObject range;
        jsonshape::putAddress(range, QStringLiteral("start"), s.start);
        jsonshape::putAddress(range, QStringLiteral("end"), s.end);
        range.insert(QStringLiteral("bytes"), qint64(s.size()));
        list.append(range);
    }
    out.insert(QStringLiteral("format"), jsonshape::kFormat);
    out.insert(QStringLiteral("output"), output);
    out.insert(QStringLiteral("written"), written);
    out.insert(QStringLiteral("ranges"), list);
    out.insert(QStringLiteral("bytes"), qint64(bytes));
    out.insert(QStringLiteral("records"), qint64(records));
    return out;
}

bool write(const QString& output, const FirmwareImage& firmware, Result& result) {
    if (!result.made()) {
        return false;
    }
    OutputFile file(output);
    file.open();
    file.write(result.text.constData(), result.text.size());
    file.commit();
    return OutputFile::isStandardOutput(output) || file.isStream() ||
           writtenAsMade(output, firmware, result, result.report);
}

} // namespace firmwarerevert

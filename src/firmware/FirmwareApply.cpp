// SPDX-License-Identifier: MIT
#include "firmware/FirmwareApply.h"

#include "base/ReportLanguage.h"
#include "base/TarvexError.h"
#include "dataset/NumericText.h"
#include "platform/FileOps.h"
#include "platform/OutputFile.h"
#include "srec/S3Records.h"
#include "srec/S3Writer.h"
#include "srec/SRecordReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace firmwareapply {

namespace {

using numeric::hexAddress;

// The bytes written between two reports of progress; a multiple of the
// S3 record size.
constexpr std::size_t kChunk = 4096;

// Writes the record's bytes where the image holds them; what lies outside
// goes to outside.
void writeRecord(FirmwareImage& image, std::uint64_t address, const std::vector<std::uint8_t>& data,
                 FirmwareImageBuilder& outside, std::uint64_t& outsideBytes, qint64 line) {
    std::size_t done = 0;
    while (done < data.size()) {
        const std::uint64_t at = address + done;
        const FirmwareImage::Range* range = image.rangeAt(at);
        std::size_t run = data.size() - done;
        if (range) {
            run = std::size_t(std::min<std::uint64_t>(run, range->end() - at));
            std::copy(data.begin() + std::ptrdiff_t(done),
                      data.begin() + std::ptrdiff_t(done + run), image.bytesAt(at, run));
        } else {
            for (const FirmwareImage::Range& r : image.ranges()) {
                if (r.start > at) {
                    run = std::size_t(std::min<std::uint64_t>(run, r.start - at));
                    break;
                }
            }
            outside.add(at, data.data() + done, run, line);
            outsideBytes += run;
        }
        done += run;
    }
}

} // namespace

void forEachRecord(QIODevice& patch, const QString& name, Report& report,
                   const RecordVisitor& visit) {
    srec::SRecordReader reader(patch);
    srec::SRecordReader::Line line;
    while (reader.next(line)) {
        if (!line.error.isEmpty()) {
            report.error(name, line.number, line.error);
            continue;
        }
        if (!line.empty && line.record.isData()) {
            visit(line.record, line.number);
        }
    }
}

void forEachRecord(const QString& path, Report& report, const RecordVisitor& visit) {
    if (!QFileInfo(path).isFile()) {
        report.error(path, 0, QCoreApplication::translate("Report", "is not a regular file"));
        return;
    }
    QFile file;
    QString reason;
    if (!fileops::openRegular(file, path, &reason)) {
        report.error(path, 0, reportlanguage::cannotBeRead(reason));
        return;
    }
    forEachRecord(file, path, report, visit);
}

namespace {

// Writes a patch's record over the image; bytes outside the image go to
// outside, and are an error unless allowOutside.
RecordVisitor recordWriter(FirmwareImage& image, const QString& name, bool allowOutside,
                           FirmwareImageBuilder& outside, Report& report) {
    return
        [&image, name, allowOutside, &outside, &report](const srec::SRecord& record, qint64 line) {
            std::uint64_t outsideBytes = 0;
            writeRecord(image, record.address, record.data, outside, outsideBytes, line);
            if (outsideBytes > 0 && !allowOutside) {
                report.error(
                    name, line,
                    QCoreApplication::translate(
                        "Report", "writes %1 of its %2 bytes at %3 outside the firmware's bytes")
                        .arg(outsideBytes)
                        .arg(record.data.size())
                        .arg(hexAddress(record.address)));
            }
        };
}

} // namespace

void apply(FirmwareImage& image, QIODevice& patch, const QString& name, Report& report) {
    FirmwareImageBuilder outside;
    forEachRecord(patch, name, report, recordWriter(image, name, false, outside, report));
}

void apply(FirmwareImage& image, const QStringList& patches, bool allowOutside, Report& report,
           const workprogress::Progress& progress) {
    FirmwareImageBuilder outside;
    std::uint64_t read = 0;
    for (const QString& path : patches) {
        workprogress::report(progress, read++, std::uint64_t(patches.size()));
        forEachRecord(path, report, recordWriter(image, path, allowOutside, outside, report));
    }
    if (allowOutside) {
        Report merged;
        FirmwareImage extra = outside.finish(QString(), merged);
        if (!extra.empty()) {
            FirmwareImageBuilder all;
            for (const FirmwareImage::Range& r : image.ranges()) {
                all.add(r.start, r.bytes.data(), r.bytes.size(), 0);
            }
            for (const FirmwareImage::Range& r : extra.ranges()) {
                all.add(r.start, r.bytes.data(), r.bytes.size(), 0);
            }
            const std::optional<std::uint32_t> start = image.startAddress;
            image = all.finish(QString(), merged);
            image.startAddress = start;
        }
    }
}

Format formatOf(const QString& outputPath) {
    return outputPath.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive) ? Format::Binary
                                                                            : Format::S3;
}

void writeS3(const FirmwareImage& image, const Sink& sink, const workprogress::Progress& progress) {
    // Refused before the first byte goes out: an output cut short helps no one.
    if (!image.empty() && image.ranges().back().end() > 0x80000000u) {
        throw errors::integerOverflow();
    }
    S3Writer writer(
        [&](const S3LineList& block) { sink(block.text().data(), qint64(block.text().size())); });
    writer.append(srec::kHeaderRecord);
    const std::uint64_t total = image.dataBytes();
    std::uint64_t written = 0;
    for (const FirmwareImage::Range& range : image.ranges()) {
        for (std::size_t offset = 0; offset < range.bytes.size(); offset += kChunk) {
            workprogress::report(progress, written, total);
            const std::size_t n = std::min(kChunk, range.bytes.size() - offset);
            writer.appendDataRecords(range.bytes.data() + offset, std::int64_t(n),
                                     numeric::fromSize(std::int64_t(range.start + offset)));
            written += n;
        }
    }
    // The firmware's own start address, never a patch's: a loader jumps there.
    if (image.startAddress) {
        writer.append(srec::endRecord(*image.startAddress));
    }
    writer.finish();
}

void writeBinary(const FirmwareImage& image, const Sink& sink,
                 const workprogress::Progress& progress) {
    std::uint64_t at = image.empty() ? 0 : image.ranges().front().start;
    const std::uint64_t total = image.dataBytes();
    std::uint64_t written = 0;
    const std::vector<char> gap(64 * 1024, char(0xFF));
    for (const FirmwareImage::Range& range : image.ranges()) {
        while (at < range.start) {
            const std::uint64_t n = std::min<std::uint64_t>(gap.size(), range.start - at);
            sink(gap.data(), qint64(n));
            at += n;
        }
        for (std::size_t offset = 0; offset < range.bytes.size(); offset += kChunk) {
            workprogress::report(progress, written, total);
            const std::size_t n = std::min(kChunk, range.bytes.size() - offset);
            sink(reinterpret_cast<const char*>(range.bytes.data() + offset), qint64(n));
            written += n;
        }
        at = range.end();
    }
}

bool applyAndWrite(const FirmwareSource& firmware, const QStringList& patches, bool allowOutside,
                   const QString& output, Report& report, const workprogress::Progress& progress) {
    FirmwareImage image = firmwarefile::readWhole(firmware);
    apply(image, patches, allowOutside, report, progress);
    if (report.errors() > 0) {
        return false;
    }
    OutputFile file(output);
    file.open();
    const Sink sink = [&](const char* data, qint64 size) { file.write(data, size); };
    if (formatOf(output) == Format::Binary) {
        writeBinary(image, sink, progress);
    } else {
        writeS3(image, sink, progress);
    }
    file.commit();
    return true;
}

} // namespace firmwareapply

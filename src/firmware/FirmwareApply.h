// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "firmware/FirmwareImage.h"
#include "firmware/WorkProgress.h"
#include "srec/SRecordReader.h"

#include <QString>
#include <QStringList>
#include <functional>

// A firmware with patches written over it, as a flash tool would leave it,
// written out as S3 records or as a raw image.
namespace firmwareapply {

// Writes every data record of the patches, in order, over the image. Bytes
// outside the firmware's are errors (one a record) unless allowOutside,
// when they are added to the image. Malformed records are errors too.
// Progress counts the patches read.
void apply(FirmwareImage& image, const QStringList& patches, bool allowOutside, Report& report,
           const workprogress::Progress& progress = {});
// The same for one patch already open (a patch made in memory), named `name`
// in the findings; bytes outside the firmware's are always errors.
void apply(FirmwareImage& image, QIODevice& patch, const QString& name, Report& report);

// Every data record of the patch at path, read through the door, in file
// order; an unreadable file and malformed lines go into the report.
using RecordVisitor = std::function<void(const srec::SRecord& record, qint64 line)>;
void forEachRecord(const QString& path, Report& report, const RecordVisitor& visit);
void forEachRecord(QIODevice& patch, const QString& name, Report& report,
                   const RecordVisitor& visit);

enum class Format { S3, Binary };
// ".bin" is a raw image, anything else S3 records.
Format formatOf(const QString& outputPath);

using Sink = std::function<void(const char* data, qint64 size)>;
// S3 records of 16 bytes in address order between one header and one end
// record, as the program's patches have them. Raises "Integer overflow" for
// a byte above 0x7FFFFFFF. Progress counts the image's bytes written.
void writeS3(const FirmwareImage& image, const Sink& sink,
             const workprogress::Progress& progress = {});
// From the lowest address held to the highest, gaps filled with FF.
void writeBinary(const FirmwareImage& image, const Sink& sink,
                 const workprogress::Progress& progress = {});

// Applying as a whole: the firmware read whole (raising its first error),
// the patches written over it and, only when none of them has an error, the
// result written to `output` in the form its name tells, through OutputFile:
// a regular file is replaced only once complete. Returns whether it was
// written; the findings are in the report.
bool applyAndWrite(const FirmwareSource& firmware, const QStringList& patches, bool allowOutside,
                   const QString& output, Report& report,
                   const workprogress::Progress& progress = {});

} // namespace firmwareapply

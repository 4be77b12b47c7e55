// Any bytes as a patch to verify: the S-record reader line by line, then
// verify's two passes over the same file.
#include "FuzzSupport.h"
#include "check/PatchVerify.h"
#include "srec/SRecordReader.h"

#include <QBuffer>
#include <QJsonArray>

namespace {

// The record written back as text, upper-case, without its checksum.
QByteArray recordText(const srec::SRecord& record, int addressBytes) {
    QByteArray text = "S" + QByteArray::number(record.type);
    text += QByteArray::number(qulonglong(addressBytes + record.data.size() + 1), 16)
                .rightJustified(2, '0');
    text += QByteArray::number(record.address, 16).rightJustified(2 * addressBytes, '0');
    for (const std::uint8_t b : record.data) {
        text += QByteArray::number(b, 16).rightJustified(2, '0');
    }
    return text.toUpper();
}

// Lines end at CR, LF or CR LF; a last line without one counts.
QList<QByteArray> splitLines(const QByteArray& bytes) {
    QList<QByteArray> lines;
    QByteArray line;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.append(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += c;
        }
    }
    if (!line.isEmpty()) {
        lines.append(line);
    }
    return lines;
}

int addressBytes(int type) {
    return type == 2 || type == 6 || type == 8 ? 3 : type == 3 || type == 7 ? 4 : 2;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QList<QByteArray> lines = splitLines(bytes);

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    srec::SRecordReader reader(buffer);
    srec::SRecordReader::Line line;
    qsizetype count = 0;
    qint64 lastRecord = 0;
    bool lastIsEnd = false;
    while (reader.next(line)) {
        fuzz::check(line.number == ++count, "line numbers skip");
        fuzz::check(count <= lines.size(), "more lines than the text holds");
        const QByteArray& text = lines[count - 1];
        fuzz::check(line.empty == text.isEmpty(), "an empty line misjudged");
        if (!line.empty) {
            lastRecord = line.number;
            lastIsEnd = line.error.isEmpty() && line.record.isEnd();
        }
        if (line.empty || !line.error.isEmpty()) {
            continue;
        }
        // A record read without complaint says exactly what its line says.
        const QByteArray upper = text.toUpper();
        fuzz::check(upper.chopped(2) == recordText(line.record, addressBytes(line.record.type)),
                    "a record read differently from its text");
    }
    fuzz::check(count == lines.size(), "lines lost");

    const QString path = fuzz::writeScratchFile(QStringLiteral("patch.s3"), bytes);
    const Report report = patchverify::run(path, nullptr);
    fuzz::check(report.json().contains(QStringLiteral("ranges")), "no ranges");
    // A patch that does not end in an end record never passes.
    fuzz::check(lastIsEnd || report.errors() > 0, "a cut-short patch passed");
    fuzz::check(lastRecord > 0 || report.errors() > 0, "an empty patch passed");
    return 0;
}

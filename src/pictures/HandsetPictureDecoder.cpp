// SPDX-License-Identifier: MIT
#include "pictures/HandsetPictureDecoder.h"

#include "base/Report.h"
#include "base/TarvexError.h"
#include "dataset/NumericText.h"
#include "pictures/HandsetPicture.h"

namespace {

using namespace handsetformat;

QString prefixedHexByte(std::uint8_t byte) {
    return QStringLiteral("0x") + numeric::hexByte(byte);
}

TarvexError fault(const QString& what, qsizetype offset) {
    return TarvexError(
        Report::tr("Not a valid handset picture: %1 at offset %2").arg(what).arg(offset));
}

// Reads forward through the records, never into the trailer.
class Reader {
public:
    Reader(const QByteArray& bytes, qsizetype end) : bytes_(bytes), end_(end) {}

    qsizetype offset() const { return pos_; }
    std::uint8_t byte() {
        if (pos_ >= end_) {
            throw fault(Report::tr("the records end early"), pos_);
        }
        return static_cast<std::uint8_t>(bytes_[pos_++]);
    }
    std::uint16_t value() {
        const std::uint16_t low = byte();
        return static_cast<std::uint16_t>(low | byte() << 8);
    }

private:
    const QByteArray& bytes_;
    qsizetype end_;
    qsizetype pos_ = 0;
};

} // namespace

HandsetPictureData decodeHandsetPicture(const QByteArray& bytes) {
    const qsizetype size = bytes.size();
    if (size > kMaxHandsetPictureSize) {
        throw fault(
            countedText(size, QT_TRANSLATE_N_NOOP("Report", "longer than any picture (%n byte)"),
                        QT_TRANSLATE_N_NOOP("Report", "longer than any picture (%n bytes)")),
            kMaxHandsetPictureSize);
    }
    const auto at = [&bytes](qsizetype i) { return static_cast<std::uint8_t>(bytes[i]); };
    if (size >= 1 && at(0) != kFormatByte) {
        throw fault(Report::tr("bad format byte %1 (0x09 expected)").arg(prefixedHexByte(at(0))),
                    0);
    }
    if (size >= 2 && !isPaletteSize(at(1))) {
        throw fault(Report::tr("bad palette size %1 (1 to 127 expected)").arg(at(1)), 1);
    }
    const int paletteSize = size >= 2 ? at(1) : 1;

    // The trailer gives the pixel count the records must cover.
    const qsizetype trailer = size - kTrailerSize;
    if (trailer < 2 + 2 * paletteSize + 3) {
        throw fault(Report::tr("the file ends early"), size);
    }
    if (at(trailer) == 0 || at(trailer + 1) != 0 || at(trailer + 2) == 0 || at(trailer + 3) != 0) {
        throw fault(Report::tr("wrong trailer (width and height 1 to 255, each followed by "
                               "0x00, expected)"),
                    trailer);
    }
    HandsetPictureData picture;
    picture.width = at(trailer);
    picture.height = at(trailer + 2);
    const qsizetype count = qsizetype(picture.width) * picture.height;
    picture.pixels.reserve(static_cast<std::size_t>(count));

    Reader in(bytes, trailer);
    in.byte();
    in.byte();
    std::vector<std::uint16_t> palette;
    for (int i = 0; i < paletteSize; ++i) {
        palette.push_back(in.value());
    }

    while (qsizetype(picture.pixels.size()) < count - 1) {
        const qsizetype start = in.offset();
        const std::uint8_t record = in.byte();
        const std::optional<RunRecord> run = runRecord(record);
        if (!run) {
            throw fault(Report::tr("bad run record %1").arg(prefixedHexByte(record)), start);
        }
        const int length = run->length;
        if (qsizetype(picture.pixels.size()) + length > count - 1) {
            throw fault(
                countedText(length,
                            QT_TRANSLATE_N_NOOP("Report", "a run of %n pixel goes past the "
                                                          "pixel count (%1 before the "
                                                          "closing record)"),
                            QT_TRANSLATE_N_NOOP("Report", "a run of %n pixels goes past the "
                                                          "pixel count (%1 before the "
                                                          "closing record)"))
                    .arg(count - 1),
                start);
        }
        std::uint16_t value = 0;
        if (run->palette) {
            const qsizetype indexAt = in.offset();
            const std::uint8_t index = in.byte();
            if (index >= palette.size()) {
                throw fault(
                    countedText(qint64(palette.size()),
                                QT_TRANSLATE_N_NOOP("Report", "palette index %1 out of range "
                                                              "(%n entry)"),
                                QT_TRANSLATE_N_NOOP("Report", "palette index %1 out of range "
                                                              "(%n entries)"))
                        .arg(index),
                    indexAt);
            }
            value = palette[index];
        } else {
            value = in.value();
        }
        picture.pixels.insert(picture.pixels.end(), static_cast<std::size_t>(length), value);
    }

    const qsizetype closing = in.offset();
    if (const std::uint8_t record = in.byte(); record != kClosingRecord) {
        throw fault(
            Report::tr("closing record expected (0x81), %1 found").arg(prefixedHexByte(record)),
            closing);
    }
    picture.pixels.push_back(in.value());
    if (padsBefore(in.offset())) {
        const qsizetype pad = in.offset();
        if (in.byte() != 0) {
            throw fault(Report::tr("bad pad byte (0x00 expected)"), pad);
        }
    }
    if (in.offset() != trailer) {
        throw fault(countedText(size - in.offset(),
                                QT_TRANSLATE_N_NOOP("Report", "wrong trailer (%n byte after the "
                                                              "records instead of 4)"),
                                QT_TRANSLATE_N_NOOP("Report", "wrong trailer (%n bytes after the "
                                                              "records instead of 4)")),
                    in.offset());
    }
    return picture;
}

QImage toImage(const HandsetPictureData& picture) {
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    const std::uint16_t* in = picture.pixels.data();
    for (int y = 0; y < picture.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x) {
            row[x] = rgb565ToRgb(*in++);
        }
    }
    return image;
}

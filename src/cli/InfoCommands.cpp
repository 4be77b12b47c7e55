// SPDX-License-Identifier: MIT
#include "base/JsonShape.h"
#include "base/Report.h"
#include "base/TarvexError.h"
#include "cli/Commands.h"
#include "cli/InputStream.h"
#include "cli/JsonOutput.h"
#include "cli/PatchOutput.h"
#include "cli/Printable.h"
#include "dataset/NumericText.h"
#include "pictures/HandsetPicture.h"
#include "pictures/PictureLoader.h"
#include "pictures/PixelImage.h"
#include "srec/CustomPatch.h"
#include "srec/S3Records.h"
#include "srec/S3Writer.h"

#include <QFile>
#include <QFileInfo>
#include <QVariant>
#include <memory>

namespace {

// The values of info under snake_case keys: addresses as numbers and text,
// flags as booleans.
QJsonObject infoJson(const QList<std::pair<const char*, QVariant>>& values) {
    QJsonObject document;
    for (const auto& [name, value] : values) {
        QString key = QString::fromLatin1(name);
        key.replace(QLatin1Char(' '), QLatin1Char('_'));
        if (key.endsWith(QLatin1String("_start")) || key.endsWith(QLatin1String("_end"))) {
            std::int32_t address = 0;
            jsonshape::putAddress(document, key,
                                  numeric::tryToInt(value.toString(), address)
                                      ? std::optional<std::uint64_t>(std::uint32_t(address))
                                      : std::nullopt);
        } else if (value.typeId() == QMetaType::Bool) {
            document.insert(key, value.toBool());
        } else {
            document.insert(key, QJsonValue::fromVariant(value));
        }
    }
    return document;
}

void info(CliContext& context) {
    OptionParser options(context.args());
    const bool json = options.flag({QStringLiteral("--json")});
    options.positional(0);
    Session& session = context.session();
    const FirmwareDataSet& data = session.dataSet();
    const MemoryMap& map = data.memoryMap();
    const MemoryTotals& totals = data.totals();
    auto flag = [](bool on) { return QVariant(on); }; // printed as 1 or 0
    const QList<std::pair<const char*, QVariant>> values{
        {QT_TRANSLATE_NOOP("Report", "firmware"), session.firmwareSettings().currentId},
        {QT_TRANSLATE_NOOP("Report", "firmware folder"), session.firmwareFolder()},
        {QT_TRANSLATE_NOOP("Report", "melody start"), map.melodyStart},
        {QT_TRANSLATE_NOOP("Report", "melody end"), map.melodyEnd},
        {QT_TRANSLATE_NOOP("Report", "java start"), map.javaStart},
        {QT_TRANSLATE_NOOP("Report", "java end"), map.javaEnd},
        {QT_TRANSLATE_NOOP("Report", "picture start"), map.pictureStart},
        {QT_TRANSLATE_NOOP("Report", "picture end"), map.pictureEnd},
        {QT_TRANSLATE_NOOP("Report", "string table size"), map.stringTableSize},
        {QT_TRANSLATE_NOOP("Report", "patch64k"), map.patch64K},
        {QT_TRANSLATE_NOOP("Report", "volume patch"), flag(map.volumePatchAvailable)},
        {QT_TRANSLATE_NOOP("Report", "melody page"), flag(map.melodyPageAvailable)},
        {QT_TRANSLATE_NOOP("Report", "java page"), flag(map.javaPageAvailable)},
        {QT_TRANSLATE_NOOP("Report", "picture page"), flag(map.picturePageAvailable)},
        {QT_TRANSLATE_NOOP("Report", "melody total"), totals.melodies},
        {QT_TRANSLATE_NOOP("Report", "java total"), totals.java},
        {QT_TRANSLATE_NOOP("Report", "picture total"), totals.pictures},
    };
    if (json) {
        cli::printJson(context, infoJson(values));
        return;
    }
    for (const auto& [name, value] : values) {
        const QString text = value.typeId() == QMetaType::Bool
                                 ? QString::number(value.toBool() ? 1 : 0)
                                 : value.toString();
        context.out() << Report::tr(name) << ": " << cli::printable(text)
                      << '\n'; // texts come from the data set
    }
}

// A picture from a stream (standard input, a FIFO) is read whole into a
// temporary file whose suffix names its format: by the stream's name, or for
// standard input by the picture's first bytes.
struct PictureFile {
    QString path;
    std::shared_ptr<cli::StreamSpool> copy;
};

PictureFile pictureFile(const QString& name) {
    QFile stream;
    if (!cli::openStream(stream, name)) {
        return {name, nullptr};
    }
    QString suffix = QFileInfo(name).suffix();
    QByteArray head; // the picture's first bytes, which name its format
    if (cli::isStandardInput(name)) {
        while (head.size() < 4) {
            const QByteArray more = stream.read(4 - head.size());
            if (more.isEmpty()) {
                if (stream.error() != QFileDevice::NoError) {
                    throw errors::streamRead();
                }
                break;
            }
            head += more;
        }
        suffix = head.startsWith("\x89PNG")    ? QStringLiteral("png")
                 : head.startsWith("GIF8")     ? QStringLiteral("gif")
                 : head.startsWith("\xFF\xD8") ? QStringLiteral("jpg")
                                               : QStringLiteral("bmp");
    }
    auto copy = std::make_shared<cli::StreamSpool>(QLatin1Char('.') + suffix);
    copy->fill(stream, name, head);
    return {copy->fileName(), copy};
}

const QStringList kOutput{QStringLiteral("-o"), QStringLiteral("--output")};

void custom(CliContext& context) {
    OptionParser options(context.args());
    const QString offsetText =
        options.take({QStringLiteral("--offset")}, QStringLiteral("0x00646880"));
    const QString output = options.take(kOutput);
    const QString file = options.positional(1).first();
    const std::int32_t offset = numeric::toInt(offsetText);
    // A pipe, a FIFO or standard input has no size to measure: it is read
    // to its end, and the patch holds what was read. It is copied whole
    // before the output is opened, so a stream over the limit leaves no output.
    QFile stream;
    if (cli::openStream(stream, file)) {
        cli::StreamSpool copy;
        copy.fill(stream, file);
        context.requireOutput(output, {file});
        PatchOutput patch(context, output, PatchOutput::Mode::AsMade);
        writeCustomPatchFromStream(copy.rewound(), offset, patch.writer());
        patch.complete();
        return;
    }
    // Both errors of the custom patch come before its first line, so even
    // standard output gets the records as they are made.
    context.requireOutput(output, {file});
    PatchOutput patch(context, output, PatchOutput::Mode::AsMade);
    writeCustomPatch(file, srec::fileSizeOfName(file), offset, patch.writer());
    patch.complete();
}

void convert(CliContext& context) {
    OptionParser options(context.args());
    const QString output = options.take(kOutput);
    const QString bitmap = options.positional(1).first(); // or PNG, JPEG, GIF
    if (output.isEmpty()) {
        throw UsageError{Report::tr("convert needs -o OUT")};
    }
    QImage image;
    try {
        image = loadPicture(pictureFile(bitmap).path);
    } catch (const TarvexError& error) {
        // The reader's message does not always say which file it read.
        if (error.message().contains(bitmap)) {
            throw;
        }
        const QString prefix = bitmap + QStringLiteral(": ");
        throw TarvexError(prefix + error.message(), prefix + error.englishMessage(),
                          error.reason());
    }
    const PixelImage picture = toPixelImage(image);
    if (picture.width <= 0 || picture.height <= 0) {
        throw TarvexError(Report::tr("The picture %1 has no pixels").arg(bitmap));
    }
    context.requireOutput(output, {bitmap});
    context.writeOutput(output, encodeHandsetPicture(picture));
}

} // namespace

QList<CliCommand> infoCommands() {
    const CliHelpItem outputItem{
        QStringLiteral("-o, --output OUT"),
        Report::tr("where the output goes: a file (replaced only once complete), a device or "
                   "FIFO (written directly), or - for standard output")};
    return {
        {QStringLiteral("info"),
         QStringLiteral("info [--json]"),
         info,
         Report::tr("the firmware, its folder, memory map and totals"),
         {cli::jsonHelp()}},
        {QStringLiteral("custom"),
         QStringLiteral("custom FILE [--offset TEXT] [-o OUT]"),
         custom,
         Report::tr("a patch writing FILE's bytes at an address (the custom patch page)"),
         {{QStringLiteral("FILE"), Report::tr("any file; all of its bytes are written")},
          {QStringLiteral("--offset TEXT"),
           Report::tr("address of the first byte: decimal, or hexadecimal after 0x or $ "
                      "(default 0x00646880)")},
          {outputItem.term, outputItem.text + Report::tr(" (the default)")}}},
        {QStringLiteral("convert"),
         QStringLiteral("convert PICTURE -o OUT"),
         convert,
         Report::tr("the picture in the handset picture format"),
         {{QStringLiteral("PICTURE"),
           Report::tr("the picture to convert (.bmp, .png, .jpg, .jpeg, .gif)")},
          outputItem}},
    };
}

#include "base/TarvexError.h"
#include "cli/Commands.h"
#include "cli/PatchOutput.h"
#include "dataset/NumericText.h"
#include "pictures/BitmapLoader.h"
#include "pictures/HandsetPicture.h"
#include "pictures/PixelImage.h"
#include "srec/CustomPatch.h"
#include "srec/S3Records.h"
#include "srec/S3Writer.h"

namespace {

void info(CliContext& context) {
    OptionParser(context.args()).positional(0);
    Session& session = context.session();
    const FirmwareDataSet& data = session.dataSet();
    const MemoryMap& map = data.memoryMap();
    const MemoryTotals& totals = data.totals();
    auto flag = [](bool on) { return on ? 1 : 0; };
    QTextStream& out = context.out();
    out << "firmware: " << session.firmwareSettings().currentId << '\n'
        << "firmware folder: " << session.firmwareFolder() << '\n'
        << "melody start: " << map.melodyStart << '\n'
        << "melody end: " << map.melodyEnd << '\n'
        << "java start: " << map.javaStart << '\n'
        << "java end: " << map.javaEnd << '\n'
        << "picture start: " << map.pictureStart << '\n'
        << "picture end: " << map.pictureEnd << '\n'
        << "string table size: " << map.stringTableSize << '\n'
        << "patch64k: " << map.patch64K << '\n'
        << "volume patch: " << flag(map.volumePatchAvailable) << '\n'
        << "melody page: " << flag(map.melodyPageAvailable) << '\n'
        << "java page: " << flag(map.javaPageAvailable) << '\n'
        << "picture page: " << flag(map.picturePageAvailable) << '\n'
        << "melody total: " << totals.melodies << '\n'
        << "java total: " << totals.java << '\n'
        << "picture total: " << totals.pictures << '\n';
}

const QStringList kOutput{QStringLiteral("-o"), QStringLiteral("--output")};

void custom(CliContext& context) {
    OptionParser options(context.args());
    const QString offsetText =
        options.take({QStringLiteral("--offset")}, QStringLiteral("0x00646880"));
    const QString output = options.take(kOutput);
    const QString file = options.positional(1).first();
    const std::int32_t offset = numeric::toInt(offsetText);
    // Both errors of the custom patch come before its first line, so even
    // standard output gets the records as they are made.
    PatchOutput patch(context, output, PatchOutput::Mode::AsMade);
    writeCustomPatch(file, srec::FileSizeOfName(file), offset, patch.writer());
    patch.complete();
}

void convert(CliContext& context) {
    OptionParser options(context.args());
    const QString output = options.take(kOutput);
    const QString bitmap = options.positional(1).first();
    if (output.isEmpty()) {
        throw UsageError{QStringLiteral("convert needs -o OUT")};
    }
    const PixelImage picture = toPixelImage(loadBitmap(bitmap));
    if (picture.width <= 0 || picture.height <= 0) {
        throw TarvexError(QStringLiteral("The picture %1 has no pixels").arg(bitmap));
    }
    context.writeOutput(output, encodeHandsetPicture(picture));
}

} // namespace

QList<CliCommand> infoCommands() {
    const CliHelpItem outputItem{
        QStringLiteral("-o, --output OUT"),
        QStringLiteral("where the output goes: a file (replaced only once complete), a device or "
                       "FIFO (written directly), or - for standard output")};
    return {
        {QStringLiteral("info"), QStringLiteral("info"), info,
         QStringLiteral("the firmware, its folder, memory map and totals")},
        {QStringLiteral("custom"),
         QStringLiteral("custom FILE [--offset TEXT] [-o OUT]"),
         custom,
         QStringLiteral("a patch writing FILE's bytes at an address (the custom patch page)"),
         {{QStringLiteral("FILE"), QStringLiteral("any file; all of its bytes are written")},
          {QStringLiteral("--offset TEXT"),
           QStringLiteral("address of the first byte: decimal, or hexadecimal after 0x or $ "
                          "(default 0x00646880)")},
          {outputItem.term, outputItem.text + QStringLiteral(" (the default)")}}},
        {QStringLiteral("convert"),
         QStringLiteral("convert BITMAP -o OUT"),
         convert,
         QStringLiteral("the bitmap in the handset picture format"),
         {{QStringLiteral("BITMAP"), QStringLiteral("the picture to convert (.bmp)")}, outputItem}},
    };
}

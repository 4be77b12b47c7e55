#include "base/TarvexError.h"
#include "cli/Commands.h"
#include "cli/Printable.h"
#include "dataset/NumericText.h"
#include "pictures/BitmapLoader.h"
#include "pictures/HandsetPicture.h"
#include "pictures/PixelImage.h"
#include "srec/CustomPatch.h"
#include "srec/S3Records.h"

namespace {

void info(CliContext& context) {
    OptionParser(context.args()).positional(0);
    Session& session = context.session();
    const FirmwareDataSet& data = session.dataSet();
    const MemoryMap& map = data.memoryMap();
    const MemoryTotals& totals = data.totals();
    auto flag = [](bool on) { return on ? 1 : 0; };
    using cli::printable; // the texts come from the data set
    QTextStream& out = context.out();
    out << "firmware: " << printable(session.firmwareSettings().currentId) << '\n'
        << "firmware folder: " << printable(session.firmwareFolder()) << '\n'
        << "melody start: " << printable(map.melodyStart) << '\n'
        << "melody end: " << printable(map.melodyEnd) << '\n'
        << "java start: " << printable(map.javaStart) << '\n'
        << "java end: " << printable(map.javaEnd) << '\n'
        << "picture start: " << printable(map.pictureStart) << '\n'
        << "picture end: " << printable(map.pictureEnd) << '\n'
        << "string table size: " << map.stringTableSize << '\n'
        << "patch64k: " << printable(map.patch64K) << '\n'
        << "volume patch: " << flag(map.volumePatchAvailable) << '\n'
        << "melody page: " << flag(map.melodyPageAvailable) << '\n'
        << "java page: " << flag(map.javaPageAvailable) << '\n'
        << "picture page: " << flag(map.picturePageAvailable) << '\n'
        << "melody total: " << totals.melodies << '\n'
        << "java total: " << totals.java << '\n'
        << "picture total: " << totals.pictures << '\n';
}

void custom(CliContext& context) {
    OptionParser options(context.args());
    const QString offsetText =
        options.take({QStringLiteral("--offset")}, QStringLiteral("0x00646880"));
    const QString output = options.take({QStringLiteral("-o"), QStringLiteral("--output")});
    const QString file = options.positional(1).first();
    const std::int32_t offset = numeric::toInt(offsetText);
    const CustomPatch patch = MakeCustomPatch(file, srec::FileSizeOfName(file), offset);
    const std::string_view text = patch.lines.text();
    context.writeOutput(output, QByteArray(text.data(), qsizetype(text.size())));
}

void convert(CliContext& context) {
    OptionParser options(context.args());
    const QString output = options.take({QStringLiteral("-o"), QStringLiteral("--output")});
    const QString bitmap = options.positional(1).first();
    if (output.isEmpty()) {
        throw UsageError{QStringLiteral("convert needs -o OUT")};
    }
    const PixelImage picture = toPixelImage(loadBitmap(bitmap));
    if (!ConvertPicture(picture, output)) {
        throw TarvexError(QStringLiteral("The picture %1 has no pixels").arg(bitmap));
    }
}

} // namespace

QList<CliCommand> infoCommands() {
    return {
        {QStringLiteral("info"), QStringLiteral("info"), info},
        {QStringLiteral("custom"), QStringLiteral("custom FILE [--offset TEXT] [-o OUT]"), custom},
        {QStringLiteral("convert"), QStringLiteral("convert BITMAP -o OUT"), convert},
    };
}

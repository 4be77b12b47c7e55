#include "base/TarvexError.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "dataset/NumericText.h"
#include "pictures/BitmapLoader.h"
#include "pictures/HandsetPicture.h"
#include "pictures/PixelImage.h"
#include "srec/CustomPatch.h"
#include "srec/S3Records.h"

#include <QVariant>

namespace {

void info(CliContext& context) {
    QStringList args = context.args();
    const bool json = cli::takeFlag(args, QStringLiteral("--json"));
    OptionParser(args).positional(0);
    Session& session = context.session();
    const FirmwareDataSet& data = session.dataSet();
    const MemoryMap& map = data.memoryMap();
    const MemoryTotals& totals = data.totals();
    auto flag = [](bool on) { return on ? 1 : 0; };
    const QList<std::pair<QString, QVariant>> values{
        {QStringLiteral("firmware"), session.firmwareSettings().currentId},
        {QStringLiteral("firmware folder"), session.firmwareFolder()},
        {QStringLiteral("melody start"), map.melodyStart},
        {QStringLiteral("melody end"), map.melodyEnd},
        {QStringLiteral("java start"), map.javaStart},
        {QStringLiteral("java end"), map.javaEnd},
        {QStringLiteral("picture start"), map.pictureStart},
        {QStringLiteral("picture end"), map.pictureEnd},
        {QStringLiteral("string table size"), map.stringTableSize},
        {QStringLiteral("patch64k"), map.patch64K},
        {QStringLiteral("volume patch"), flag(map.volumePatchAvailable)},
        {QStringLiteral("melody page"), flag(map.melodyPageAvailable)},
        {QStringLiteral("java page"), flag(map.javaPageAvailable)},
        {QStringLiteral("picture page"), flag(map.picturePageAvailable)},
        {QStringLiteral("melody total"), totals.melodies},
        {QStringLiteral("java total"), totals.java},
        {QStringLiteral("picture total"), totals.pictures},
    };
    if (json) {
        QJsonObject document;
        for (const auto& [name, value] : values) {
            document.insert(name, QJsonValue::fromVariant(value));
        }
        cli::printJson(context, document);
        return;
    }
    for (const auto& [name, value] : values) {
        context.out() << name << ": " << value.toString() << '\n';
    }
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
        {QStringLiteral("info"), QStringLiteral("info [--json]"), info},
        {QStringLiteral("custom"), QStringLiteral("custom FILE [--offset TEXT] [-o OUT]"), custom},
        {QStringLiteral("convert"), QStringLiteral("convert BITMAP -o OUT"), convert},
    };
}

// SPDX-License-Identifier: MIT
// match, scan, extract, previews, apply, revert and port: the data set
// against the firmware it was made for, what any firmware holds, its
// resources taken out, patches applied and undone, and the data set carried
// over to another version.
#include "base/Report.h"
#include "base/TarvexError.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "dataset/DataSetLayout.h"
#include "dataset/NumericText.h"
#include "firmware/FirmwareApply.h"
#include "firmware/FirmwareDraft.h"
#include "firmware/FirmwareExtract.h"
#include "firmware/FirmwareMap.h"
#include "firmware/FirmwarePort.h"
#include "firmware/FirmwarePreviews.h"
#include "firmware/FirmwareRevert.h"
#include "firmware/FirmwareScan.h"
#include "platform/OutputFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>

namespace {

CliHelpItem firmwareHelp() {
    return {QStringLiteral("FIRMWARE"),
            Report::tr("the firmware: S-records (S1/S2/S3), or a raw image (.bin, or with --base); "
                       "at most 256 MiB of data")};
}

CliHelpItem baseHelp() {
    return {
        QStringLiteral("--base ADDR"),
        Report::tr("read the firmware as a raw image whose first byte lies at ADDR (decimal, or "
                   "hexadecimal after 0x)")};
}

std::optional<std::uint32_t> baseOption(OptionParser& options) {
    const QString text = options.take({QStringLiteral("--base")});
    if (text.isEmpty()) {
        return std::nullopt;
    }
    std::int32_t value = 0;
    if (!numeric::tryToInt(text, value) || text.trimmed().startsWith(QLatin1Char('-'))) {
        throw UsageError{Report::tr("--base must be an address: %1").arg(text)};
    }
    return std::uint32_t(value);
}

void matchCommand(CliContext& context) {
    OptionParser options(context.args());
    const bool json = options.flag({QStringLiteral("--json")});
    const auto base = baseOption(options);
    const QString path = options.positional(1).first();
    Report read;
    const FirmwareImage image = firmwarefile::read({path, base}, read);
    if (image.empty()) {
        // Nothing was compared, so there is no match to report: the file is at fault.
        firmwarefile::raiseFirstError(read);
    }
    const firmwarematch::Result result =
        firmwarematch::run(context.session().dataSet(), image, read);
    if (json) {
        cli::printJson(context, result.json());
    } else {
        context.out() << result.text();
    }
    if (!result.matches()) {
        throw TarvexError(
            QCoreApplication::translate("Report", "The data set does not match the firmware"));
    }
}

void scanCommand(CliContext& context) {
    OptionParser options(context.args());
    const bool json = options.flag({QStringLiteral("--json")});
    const auto base = baseOption(options);
    const QString svgPath = options.take({QStringLiteral("--svg")});
    const QString patch = options.take({QStringLiteral("--patch")});
    const QString path = options.positional(1).first();
    if (!patch.isEmpty() && svgPath.isEmpty()) {
        throw UsageError{Report::tr("--patch marks the map: give --svg FILE too")};
    }
    if (!svgPath.isEmpty()) {
        context.requireOutput(svgPath, {path, patch});
    }
    const FirmwareImage image = firmwarefile::readWhole({path, base});
    const firmwarescan::Result result = firmwarescan::run(image);
    if (!svgPath.isEmpty()) {
        std::vector<firmwarerevert::Span> written;
        if (!patch.isEmpty()) {
            // Bytes outside the firmware are drawn all the same: the map shows them.
            Report unused;
            written = firmwarerevert::writtenRanges(image, {patch}, unused);
        }
        const QByteArray svg =
            firmwaremap::svg(firmwaremap::layout(image, result, written, 1200), 16);
        OutputFile file(svgPath);
        file.open();
        file.write(svg.constData(), svg.size());
        file.commit();
    }
    if (json) {
        cli::printJson(context, result.json());
    } else {
        context.out() << result.text();
    }
}

std::optional<firmwaredraft::Region> regionOption(OptionParser& options, const QString& name) {
    const QString text = options.take({name});
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const auto region = firmwaredraft::parseRegion(text);
    if (!region) {
        throw UsageError{Report::tr("%1 must be START-END, two addresses with END the "
                                    "region's last byte, not below START: %2")
                             .arg(name, text)};
    }
    return region;
}

void draftCommand(CliContext& context) {
    OptionParser options(context.args());
    const auto base = baseOption(options);
    firmwaredraft::Options draft;
    draft.id = options.take({QStringLiteral("--as")});
    draft.melodies = regionOption(options, QStringLiteral("--melody-region"));
    draft.java = regionOption(options, QStringLiteral("--java-region"));
    draft.pictures = regionOption(options, QStringLiteral("--picture-region"));
    const QString path = options.positional(1).first();
    if (draft.id.isEmpty()) {
        throw UsageError{Report::tr("draft needs --as ID")};
    }
    if (!draft.anyRegion()) {
        throw UsageError{Report::tr("draft needs at least one of --melody-region, "
                                    "--java-region and --picture-region")};
    }
    draft.firmwareFile = path;
    const QString userFolder = cli::sessionFolders(context).userFolder();
    const FirmwareImage image = firmwarefile::readWhole({path, base});
    const firmwaredraft::Result result =
        firmwaredraft::run(image, firmwarescan::run(image), draft, userFolder);
    context.out() << result.text();
    if (!result.created) {
        throw TarvexError(Report::tr("Nothing is created: %1 cannot be made").arg(draft.id));
    }
    context.out() << Report::tr("Created %1 in %2").arg(draft.id, result.firmwareFolder) << '\n';
    cli::printHowToUse(context, draft.id);
}

void extractCommand(CliContext& context) {
    OptionParser options(context.args());
    const auto base = baseOption(options);
    const QString dir = options.take({QStringLiteral("-o"), QStringLiteral("--output")});
    const QString path = options.positional(1).first();
    if (dir.isEmpty()) {
        throw UsageError{Report::tr("extract needs -o DIR")};
    }
    context.requireOutsideDataSets(dir);
    const FirmwareImage image = firmwarefile::readWhole({path, base});
    const firmwareextract::Plan plan = firmwareextract::plan(context.session().dataSet(), image);
    if (plan.refused()) {
        context.out() << plan.match.text();
        throw TarvexError(QCoreApplication::translate(
            "Report", "The firmware does not hold the data set's resources: nothing is "
                      "extracted"));
    }
    firmwareextract::write(plan, dir);
    context.out() << countedText(plan.files.size(),
                                 QT_TRANSLATE_N_NOOP("Report", "%n resource extracted into %1"),
                                 QT_TRANSLATE_N_NOOP("Report", "%n resources extracted into %1"))
                         .arg(dir)
                  << '\n';
}

void previewsCommand(CliContext& context) {
    OptionParser options(context.args());
    const auto base = baseOption(options);
    const QString path = options.positional(1).first();
    FirmwareDataSet& data = context.writingSession().dataSet();
    const FirmwareImage image = firmwarefile::readWhole({path, base});
    const firmwarepreviews::Result result = firmwarepreviews::run(data, image);
    if (result.refused) {
        context.out() << result.match.text();
        throw TarvexError(QCoreApplication::translate(
            "Report", "The firmware does not hold the data set's pictures: no preview is made"));
    }
    context.out() << countedText(result.written,
                                 QT_TRANSLATE_N_NOOP("Report", "%n preview made in %1"),
                                 QT_TRANSLATE_N_NOOP("Report", "%n previews made in %1"))
                         .arg(data.dataFile(datasetlayout::kPreviewFolder))
                  << '\n';
}

void applyCommand(CliContext& context) {
    OptionParser options(context.args());
    const auto base = baseOption(options);
    const bool outside = options.flag({QStringLiteral("--allow-outside")});
    const QString output = options.take({QStringLiteral("-o"), QStringLiteral("--output")});
    QStringList files = options.positional(2, -1);
    if (output.isEmpty()) {
        throw UsageError{Report::tr("apply needs -o OUT")};
    }
    context.requireOutput(output, files);
    const FirmwareSource firmware{files.takeFirst(), base};
    Report report;
    context.out().flush(); // standard output may be the result's
    if (!firmwareapply::applyAndWrite(firmware, files, outside, output, report)) {
        context.out() << report.text();
        throw TarvexError(QCoreApplication::translate(
            "Report", "The patches cannot be applied: nothing is written"));
    }
    context.warnIfDemonstration();
}

void revertCommand(CliContext& context) {
    OptionParser options(context.args());
    const bool json = options.flag({QStringLiteral("--json")});
    const auto base = baseOption(options);
    const QString output = options.take({QStringLiteral("-o"), QStringLiteral("--output")});
    QStringList files = options.positional(2, -1);
    if (output.isEmpty()) {
        throw UsageError{Report::tr("revert needs -o REVERT.s3")};
    }
    if (json && OutputFile::isStandardOutput(output)) {
        throw UsageError{Report::tr("revert --json prints the report: -o must name a file")};
    }
    context.requireOutput(output, files);
    const FirmwareImage image = firmwarefile::readWhole({files.takeFirst(), base});
    firmwarerevert::Result result = firmwarerevert::make(image, files);
    context.out().flush(); // standard output may be the patch's
    const bool written = firmwarerevert::write(output, image, result);
    if (json) {
        cli::printJson(context, result.json(output, written));
    } else if (!OutputFile::isStandardOutput(output)) {
        context.out() << result.report.text();
        if (written) {
            context.out() << QCoreApplication::translate("Report", "Revert patch %1: %2")
                                 .arg(output, result.summary())
                          << '\n';
        }
    }
    if (!written) {
        throw TarvexError(
            result.made() ? QCoreApplication::translate(
                                "Report", "The revert patch was written but does not read "
                                          "back as made")
                          : QCoreApplication::translate(
                                "Report", "The revert patch cannot be made: nothing is written"));
    }
}

QJsonObject portJson(const firmwareport::Result& result) {
    QJsonObject out = result.report.json();
    QJsonArray moves;
    auto address = [](QJsonObject& o, const QString& key, std::uint64_t value) {
        o.insert(key, qint64(value));
        o.insert(key + QStringLiteral("_hex"),
                 QStringLiteral("0x") + numeric::hex(std::uint32_t(value), 8));
    };
    for (const firmwareport::Move& m : result.moves) {
        QJsonObject move{{QStringLiteral("what"), m.what}, {QStringLiteral("how"), m.how}};
        address(move, QStringLiteral("from"), m.from);
        address(move, QStringLiteral("to"), m.to);
        moves.append(move);
    }
    out.insert(QStringLiteral("format"), 1);
    out.insert(QStringLiteral("id"), result.id);
    out.insert(QStringLiteral("created"), result.created);
    out.insert(QStringLiteral("firmware_folder"),
               result.created ? QJsonValue(result.firmwareFolder) : QJsonValue());
    out.insert(QStringLiteral("moves"), moves);
    QJsonArray carried;
    QJsonArray leftBehind;
    for (const firmwareport::Choice& c : result.choices) {
        (c.carried() ? carried : leftBehind).append(c.json());
    }
    out.insert(QStringLiteral("carried"), carried);
    out.insert(QStringLiteral("left_behind"), leftBehind);
    return out;
}

void portCommand(CliContext& context) {
    OptionParser options(context.args());
    const bool json = options.flag({QStringLiteral("--json")});
    const bool allowChanged = options.flag({QStringLiteral("--allow-changed-patches")});
    const auto base = baseOption(options);
    QString id = options.take({QStringLiteral("--as")});
    const QStringList files = options.positional(2);
    if (id.isEmpty()) {
        id = QFileInfo(files[1]).completeBaseName();
    }
    Session& session = context.session();
    const FirmwareImage oldImage = firmwarefile::readWhole({files[0], base});
    const FirmwareImage newImage = firmwarefile::readWhole({files[1], base});
    const firmwareport::Result result = firmwareport::run(session.dataSet(), oldImage, newImage, id,
                                                          session.userFolder(), allowChanged);
    if (json) {
        cli::printJson(context, portJson(result));
    } else {
        context.out() << result.text();
    }
    if (!result.created) {
        throw TarvexError(
            QCoreApplication::translate("Report", "Nothing is created: %1 cannot be made").arg(id));
    }
    if (!json) {
        context.out() << QCoreApplication::translate("Report", "Created %1 in %2")
                             .arg(id, result.firmwareFolder)
                      << '\n';
        cli::printHowToUse(context, id);
    }
}

} // namespace

QList<CliCommand> firmwareCommands() {
    return {
        {QStringLiteral("match"),
         QStringLiteral("match FIRMWARE [--base ADDR] [--json]"),
         matchCommand,
         Report::tr("whether the data set belongs to the firmware: entries, resources, volumes, "
                    "required patches, regions"),
         {firmwareHelp(), baseHelp(), cli::jsonHelp()}},
        {QStringLiteral("scan"),
         QStringLiteral("scan FIRMWARE [--base ADDR] [--json] [--svg FILE [--patch PATCH]]"),
         scanCommand,
         Report::tr("the melodies, Java files and pictures any firmware holds, the table "
                    "entries pointing at them and its largest erased areas, without a data "
                    "set"),
         {firmwareHelp(),
          baseHelp(),
          cli::jsonHelp(),
          {QStringLiteral("--svg FILE"),
           Report::tr("also draw the firmware's map into FILE as SVG: its bytes, erased "
                      "areas, resources by kind and table entries along the address range")},
          {QStringLiteral("--patch PATCH"),
           Report::tr("mark on the map what the S-record file PATCH writes")}}},
        {QStringLiteral("draft"),
         QStringLiteral("draft FIRMWARE --as ID [--melody-region A-B] [--java-region A-B] "
                        "[--picture-region A-B] [--base ADDR]"),
         draftCommand,
         Report::tr("a new data set made from what scan finds in FIRMWARE, checked and "
                    "matched before it is added"),
         {firmwareHelp(),
          {QStringLiteral("--as ID"),
           Report::tr("the new firmware id; an existing one is never replaced"), CliValue::Text},
          {QStringLiteral("--melody-region A-B"),
           Report::tr("switch the melody page on, new melodies going from A to B, B the last byte"),
           CliValue::Text},
          {QStringLiteral("--java-region A-B"),
           Report::tr("switch the Java page on, new Java files going from A to B, B the last byte"),
           CliValue::Text},
          {QStringLiteral("--picture-region A-B"),
           Report::tr(
               "switch the picture page on, new pictures going from A to B, B the last byte"),
           CliValue::Text},
          baseHelp()}},
        {QStringLiteral("extract"),
         QStringLiteral("extract FIRMWARE -o DIR [--base ADDR]"),
         extractCommand,
         Report::tr("the firmware's standard resources written into DIR, with index.tsv"),
         {firmwareHelp(),
          {QStringLiteral("-o, --output DIR"),
           Report::tr("the folder: melodies/N.mid|mmf|bin, java/N.jad|jar, pictures/N.png "
                      "(N the slot, from 0), index.tsv")},
          baseHelp()}},
        {QStringLiteral("previews"),
         QStringLiteral("previews FIRMWARE [--base ADDR]"),
         previewsCommand,
         Report::tr("the data set's picture previews (Pic/N.jpg) made from the firmware"),
         {firmwareHelp(), baseHelp()}},
        {QStringLiteral("apply"),
         QStringLiteral("apply FIRMWARE PATCH... -o OUT [--base ADDR] [--allow-outside]"),
         applyCommand,
         Report::tr("the firmware with the patches written over it, as S3 records or a raw "
                    "image"),
         {firmwareHelp(),
          {QStringLiteral("PATCH"), Report::tr("S-record files, written in the order given")},
          {QStringLiteral("-o, --output OUT"),
           Report::tr("OUT.bin: a raw image from the lowest address, gaps FF; anything else: "
                      "S3 records of 16 bytes")},
          baseHelp(),
          {QStringLiteral("--allow-outside"),
           Report::tr("let a patch write bytes the firmware does not hold")}}},
        {QStringLiteral("revert"),
         QStringLiteral("revert FIRMWARE PATCH... -o REVERT.s3 [--base ADDR] [--json]"),
         revertCommand,
         Report::tr("an S3 patch writing back the firmware's own bytes wherever the patches "
                    "write, checked to give the firmware back after them"),
         {firmwareHelp(),
          {QStringLiteral("PATCH"),
           Report::tr("S-record files; each may write only bytes the firmware holds")},
          {QStringLiteral("-o, --output REVERT.s3"),
           Report::tr("the revert patch: S3 records of 16 bytes and the firmware's end record")},
          baseHelp(),
          cli::jsonHelp()}},
        {QStringLiteral("port"),
         QStringLiteral("port OLD_FIRMWARE NEW_FIRMWARE [--as ID] [--base ADDR] "
                        "[--allow-changed-patches] [--json]"),
         portCommand,
         Report::tr("a new data set for NEW_FIRMWARE from the current one, made for "
                    "OLD_FIRMWARE"),
         {{QStringLiteral("OLD_FIRMWARE"),
           Report::tr("the firmware the current data set was made for")},
          {QStringLiteral("NEW_FIRMWARE"), Report::tr("the other version")},
          {QStringLiteral("--as ID"),
           Report::tr("the new firmware id (default: NEW_FIRMWARE's name without its "
                      "suffix); an existing one is never replaced"),
           CliValue::Text},
          baseHelp(),
          {QStringLiteral("--allow-changed-patches"),
           Report::tr("carry a required patch whose bytes underneath differ in NEW_FIRMWARE, "
                      "naming it as a warning (refused otherwise)")},
          cli::jsonHelp()}},
    };
}

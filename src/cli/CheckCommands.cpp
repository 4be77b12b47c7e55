// SPDX-License-Identifier: MIT
// check, verify and import: looking at a data set or a patch before it is
// used, and adding a data set only once it passes.
#include "base/Report.h"
#include "base/TarvexError.h"
#include "check/DataSetCheck.h"
#include "check/PatchVerify.h"
#include "cli/Commands.h"
#include "cli/InputStream.h"
#include "cli/JsonOutput.h"
#include "cli/Printable.h"
#include "dataset/DataSetLayout.h"
#include "import/DataSetImport.h"

#include <QCoreApplication>
#include <optional>

const Session& cli::sessionFolders(CliContext& context) {
    try {
        return context.session();
    } catch (const TarvexError&) {
        return context.session(); // started once; its folders are set
    }
}

void cli::printHowToUse(CliContext& context, const QString& id) {
    context.out() << cli::printable(
                         QCoreApplication::translate(
                             "Report", "To make it the current data set: tarvex-cli use %1")
                             .arg(id))
                  << '\n';
    context.out() << cli::printable(QCoreApplication::translate(
                                        "Report", "To use it, give --firmware %1 before the "
                                                  "command: tarvex-cli --firmware %1 info")
                                        .arg(id))
                  << '\n';
}

namespace {

// The report on stdout, with what it is about; errors make the command fail.
void finish(CliContext& context, const Report& report, bool json, const QString& failure,
            const QJsonObject& fields = {}) {
    if (json) {
        QJsonObject document = report.json();
        for (auto it = fields.begin(); it != fields.end(); ++it) {
            document.insert(it.key(), it.value());
        }
        cli::printJson(context, document);
    } else {
        report.writeText(context.out());
    }
    if (report.errors() > 0) {
        throw TarvexError(failure);
    }
}

void checkCommand(CliContext& context) {
    OptionParser options(context.args());
    const bool json = options.flag({QStringLiteral("--json")});
    const QString dir = options.take({QStringLiteral("--dir")});
    options.positional(0);
    const QString data =
        dir.isEmpty() ? datasetlayout::dataFolder(cli::sessionFolders(context).firmwareFolder())
                      : datasetcheck::dataFolderOf(dir);
    finish(context, datasetcheck::run(data), json,
           QCoreApplication::translate("Report", "The data set has errors"),
           {{QStringLiteral("data_folder"), data}});
}

void verifyCommand(CliContext& context) {
    OptionParser options(context.args());
    const bool json = options.flag({QStringLiteral("--json")});
    const bool noDataSet = options.flag({QStringLiteral("--no-dataset")});
    const QString patch = options.positional(1).first();
    // verify reads a patch more than once, so a stream ("-" for standard
    // input, a pipe, a FIFO) is first copied to a temporary file in blocks.
    std::optional<cli::StreamSpool> copy;
    QFile stream;
    QString path = patch;
    if (cli::openStream(stream, patch)) {
        copy.emplace().fill(stream, patch);
        path = copy->fileName();
    } else {
        cli::removeStaleSpools(); // what a killed run left
    }
    const FirmwareDataSet* data = noDataSet ? nullptr : &context.session().dataSet();
    const Report report = patchverify::run(path, data, patch);
    // The report holds "ranges" also when the patch could not be read.
    finish(context, report, json, QCoreApplication::translate("Report", "The patch has errors"),
           {{QStringLiteral("patch"), patch}});
}

void importCommand(CliContext& context) {
    OptionParser options(context.args());
    const bool json = options.flag({QStringLiteral("--json")});
    const QString id = options.take({QStringLiteral("--as")});
    const QString dir = options.positional(1).first();
    const datasetimport::Result result =
        datasetimport::run(dir, id, cli::sessionFolders(context).userFolder());
    finish(context, result.report, json,
           QCoreApplication::translate("Report", "The data set has errors: %1 is not imported")
               .arg(result.id),
           {{QStringLiteral("id"), result.id},
            {QStringLiteral("imported"), result.imported},
            {QStringLiteral("firmware_folder"),
             result.imported ? QJsonValue(result.firmwareFolder) : QJsonValue()}});
    if (!json) {
        context.out() << cli::printable(QCoreApplication::translate("Report", "Imported %1 into %2")
                                            .arg(result.id, result.firmwareFolder))
                      << '\n';
        cli::printHowToUse(context, result.id);
    }
}

} // namespace

QList<CliCommand> checkCommands() {
    return {
        {QStringLiteral("check"),
         QStringLiteral("check [--dir DATA] [--json]"),
         checkCommand,
         Report::tr("the data set checked: one finding a line, FILE:LINE: error|warning: TEXT"),
         {{QStringLiteral("--dir DATA"),
           Report::tr("a Data folder (or the firmware folder holding it) instead of the "
                      "current firmware's")},
          cli::jsonHelp()}},
        {QStringLiteral("verify"),
         QStringLiteral("verify PATCH [--no-dataset] [--json]"),
         verifyCommand,
         Report::tr("an S-record file checked: its lines, the ranges it writes and, with the "
                    "data set, what lies there"),
         {{QStringLiteral("PATCH"), Report::tr("the S-record file")},
          {QStringLiteral("--no-dataset"),
           Report::tr("check the records alone, without the current data set")},
          cli::jsonHelp()}},
        {QStringLiteral("import"),
         QStringLiteral("import DIR [--as ID] [--json]"),
         importCommand,
         Report::tr("a data set added to the user folder once its check finds no error"),
         {{QStringLiteral("DIR"), Report::tr("a firmware folder holding Data, or a Data folder")},
          {QStringLiteral("--as ID"),
           Report::tr("the new firmware id (default: the firmware folder's name); an existing "
                      "one is never replaced"),
           CliValue::Text},
          cli::jsonHelp()}},
    };
}

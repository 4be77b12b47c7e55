// check, verify and import: looking at a data set or a patch before it is
// used, and adding a data set only once it passes.
#include "base/TarvexError.h"
#include "check/DataSetCheck.h"
#include "check/DataSetImport.h"
#include "check/PatchVerify.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"

namespace {

// The session's folders, also when its data set does not load: a data set
// the program cannot start on is just what the check must report on.
const Session& sessionFolders(CliContext& context) {
    try {
        return context.session();
    } catch (const TarvexError&) {
        return context.session(); // started once; its folders are set
    }
}

// The report on stdout; errors make the command fail.
void finish(CliContext& context, const Report& report, bool json, const QString& failure) {
    if (json) {
        cli::printJson(context, report.json());
    } else {
        context.out() << report.text();
    }
    if (report.errors() > 0) {
        throw TarvexError(failure);
    }
}

void checkCommand(CliContext& context) {
    QStringList args = context.args();
    const bool json = cli::takeFlag(args, QStringLiteral("--json"));
    OptionParser options(args);
    const QString dir = options.take({QStringLiteral("--dir")});
    options.positional(0);
    const QString data = dir.isEmpty()
                             ? sessionFolders(context).firmwareFolder() + QStringLiteral("/Data")
                             : datasetcheck::dataFolderOf(dir);
    finish(context, datasetcheck::run(data), json, QStringLiteral("The data set has errors"));
}

void verifyCommand(CliContext& context) {
    QStringList args = context.args();
    const bool json = cli::takeFlag(args, QStringLiteral("--json"));
    const bool noDataSet = cli::takeFlag(args, QStringLiteral("--no-dataset"));
    const QString patch = OptionParser(args).positional(1).first();
    const FirmwareDataSet* data = noDataSet ? nullptr : &context.session().dataSet();
    finish(context, patchverify::run(patch, data), json, QStringLiteral("The patch has errors"));
}

void importCommand(CliContext& context) {
    OptionParser options(context.args());
    const QString id = options.take({QStringLiteral("--as")});
    const QString dir = options.positional(1).first();
    const datasetimport::Result result =
        datasetimport::run(dir, id, sessionFolders(context).userFolder());
    finish(context, result.report, false,
           QStringLiteral("The data set has errors: %1 is not imported").arg(result.id));
    context.out() << QStringLiteral("Imported %1 into %2").arg(result.id, result.firmwareFolder)
                  << '\n';
}

} // namespace

QList<CliCommand> checkCommands() {
    return {
        {QStringLiteral("check"), QStringLiteral("check [--dir DATA] [--json]"), checkCommand},
        {QStringLiteral("verify"), QStringLiteral("verify PATCH [--no-dataset] [--json]"),
         verifyCommand},
        {QStringLiteral("import"), QStringLiteral("import DIR [--as ID]"), importCommand},
    };
}

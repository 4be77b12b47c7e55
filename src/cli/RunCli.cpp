// SPDX-License-Identifier: MIT
#include "base/Report.h"
#include "base/ReportLanguage.h"
#include "base/TarvexError.h"
#include "cli/CliDocs.h"
#include "cli/CliHelp.h"
#include "cli/Commands.h"
#include "cli/Printable.h"
#include "platform/FileOps.h"
#include "platform/OutputFile.h"

#include <QFileDevice>
#include <new>

QList<CliCommand> cliCommands() {
    QList<CliCommand> commands;
    commands += infoCommands();
    commands += managerCommands();
    commands += pictureCommands();
    commands += checkCommands();
    commands += firmwareCommands();
    commands += dataSetCommands();
    return commands;
}

namespace {

const QString kProgram = QStringLiteral("tarvex-cli: ");

// Whether the option of that name is among the checked ones.
bool given(const CheckedOptions& checked, const QString& name) {
    for (const auto& [item, value] : checked.options) {
        if (item->names().contains(name)) {
            return true;
        }
    }
    return false;
}

// The value of the checked option of that name, if it was given.
std::optional<QString> valueOf(const CheckedOptions& checked, const QString& name) {
    for (const auto& [item, value] : checked.options) {
        if (item->names().contains(name)) {
            return value;
        }
    }
    return std::nullopt;
}

void printError(QTextStream& err, const TarvexError& error) {
    // Messages may quote list lines; their control characters go out escaped.
    err << kProgram << cli::printable(error.message());
    if (const QString reason = reportlanguage::inOurLanguage(error.reason()); !reason.isEmpty()) {
        err << ": " << cli::printable(reason);
    }
    err << '\n';
}

// Standard output that could not take what was printed (a full disk, a
// closed pipe) is an error of the work like any other.
void checkWritten(QTextStream& out) {
    out.flush();
    if (out.status() == QTextStream::WriteFailed) {
        const auto* device = qobject_cast<const QFileDevice*>(out.device());
        throw OutputFile::writeError(QStringLiteral("-"),
                                     device ? device->errorString() : QString());
    }
}

} // namespace

int runCli(const QStringList& args, const QString& programFolder, QTextStream& out,
           QTextStream& err) {
    const QList<CliCommand> commands = cliCommands();
    SessionOptions options;
    options.programFolder = programFolder;
    options.existingFirmwareOnly = true;
    const CliCommand* command = nullptr;
    try {
        // For the build: the manual page's sections and the completion.
        if (args == QStringList{QStringLiteral("--manual-sections")}) {
            clidocs::printManualSections(out, commands);
            checkWritten(out);
            return 0;
        }
        if (args == QStringList{QStringLiteral("--bash-completion")}) {
            clidocs::printBashCompletion(out, commands);
            checkWritten(out);
            return 0;
        }
        // For the tests that try every command: the table's names, one a line.
        if (args == QStringList{QStringLiteral("--command-names")}) {
            for (const CliCommand& c : commands) {
                out << c.name << '\n';
            }
            checkWritten(out);
            return 0;
        }
        // For the same tests: every hidden name a command stages under, so
        // that a link is planted at each.
        if (args == QStringList{QStringLiteral("--staging-names")}) {
            for (const QString& name : fileops::staging::declaredNames()) {
                out << name << '\n';
            }
            checkWritten(out);
            return 0;
        }
        const CheckedOptions program = checkOptions(args, cli::programOptions(), true);
        if (given(program, QStringLiteral("--help"))) {
            clihelp::printProgramHelp(out, commands);
            checkWritten(out);
            return 0;
        }
        if (given(program, QStringLiteral("--version"))) {
            out << "tarvex-cli " << TARVEX_VERSION << '\n';
            checkWritten(out);
            return 0;
        }
        if (const auto folder = valueOf(program, QStringLiteral("--user-folder"))) {
            options.userFolder = *folder;
        }
        if (const auto id = valueOf(program, QStringLiteral("--firmware"))) {
            options.firmwareOverride = *id;
        }
        QStringList rest = program.arguments;
        if (rest.isEmpty()) {
            throw UsageError{Report::tr("no command given")};
        }
        const QString name = rest.takeFirst();
        for (const CliCommand& each : commands) {
            if (each.name == name) {
                command = &each;
            }
        }
        if (!command) {
            throw UsageError{Report::tr("unknown command %1").arg(name)};
        }
        const CheckedOptions checked =
            checkOptions(rest, command->items + QList<CliHelpItem>{cli::helpOption()});
        if (given(checked, QStringLiteral("--help"))) {
            clihelp::printCommandHelp(out, *command);
        } else {
            CliContext context(options, checked.canonical(), out, err);
            command->run(context);
        }
        checkWritten(out);
        return 0;
    } catch (const UsageError& usage) {
        out.flush();
        err << kProgram << usage.message << '\n';
        clihelp::printUsage(err, commands, command);
        err.flush();
        return 2;
    } catch (const TarvexError& error) {
        out.flush();
        printError(err, error);
        err.flush();
        return 1;
    } catch (const std::bad_alloc&) {
        // Saves are atomic, so nothing half-written is left behind.
        out.flush();
        printError(err, errors::outOfMemory());
        err.flush();
        return 1;
    }
}

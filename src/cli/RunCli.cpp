#include "base/TarvexError.h"
#include "cli/CliHelp.h"
#include "cli/Commands.h"
#include "cli/Printable.h"
#include "platform/OutputFile.h"

#include <QFileDevice>
#include <new>

namespace {

QList<CliCommand> allCommands() {
    QList<CliCommand> commands;
    commands += infoCommands();
    commands += managerCommands();
    commands += pictureCommands();
    commands += checkCommands();
    commands += firmwareCommands();
    return commands;
}

const QString kProgram = QStringLiteral("tarvex-cli: ");

// The value of the program option `name` at the front of args, given as
// "name VALUE" or "name=VALUE"; removes it. Empty optional: another option.
std::optional<QString> takeValue(QStringList& args, const QString& name) {
    const QString arg = args.first();
    if (arg.startsWith(name + QLatin1Char('='))) {
        args.removeFirst();
        return arg.mid(name.size() + 1);
    }
    if (arg != name) {
        return std::nullopt;
    }
    if (args.size() < 2) {
        throw UsageError{QStringLiteral("%1 needs a value").arg(name)};
    }
    args.removeFirst();
    return args.takeFirst();
}

enum class ProgramAction { Command, Help, Version };

// Takes the program options off the front of args.
ProgramAction takeProgramOptions(QStringList& args, SessionOptions& options) {
    while (!args.isEmpty() && args.first().size() > 1 && args.first().startsWith('-')) {
        const QString arg = args.first();
        if (arg == QLatin1String("--")) {
            args.removeFirst();
            break;
        }
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            return ProgramAction::Help;
        }
        if (arg == QLatin1String("--version")) {
            return ProgramAction::Version;
        }
        if (const auto folder = takeValue(args, QStringLiteral("--user-folder"))) {
            options.userFolder = *folder;
        } else if (const auto id = takeValue(args, QStringLiteral("--firmware"))) {
            options.firmwareOverride = *id;
        } else {
            throw UsageError{QStringLiteral("unknown option %1").arg(arg)};
        }
    }
    return ProgramAction::Command;
}

void printError(QTextStream& err, const TarvexError& error) {
    // Messages may quote list lines; their control characters go out escaped.
    err << kProgram << cli::printable(error.message());
    if (!error.reason().isEmpty()) {
        err << ": " << cli::printable(error.reason());
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
    const QList<CliCommand> commands = allCommands();
    SessionOptions options;
    options.programFolder = programFolder;
    QStringList rest = args;
    const CliCommand* command = nullptr;
    try {
        switch (takeProgramOptions(rest, options)) {
        case ProgramAction::Help:
            clihelp::printProgramHelp(out, commands);
            checkWritten(out);
            return 0;
        case ProgramAction::Version:
            out << "tarvex-cli " << TARVEX_VERSION << '\n';
            checkWritten(out);
            return 0;
        case ProgramAction::Command:
            break;
        }
        if (rest.isEmpty()) {
            throw UsageError{QStringLiteral("no command given")};
        }
        const QString name = rest.takeFirst();
        for (const CliCommand& each : commands) {
            if (each.name == name) {
                command = &each;
            }
        }
        if (!command) {
            throw UsageError{QStringLiteral("unknown command %1").arg(name)};
        }
        if (OptionParser(rest).helpRequested()) {
            clihelp::printCommandHelp(out, *command);
        } else {
            CliContext context(options, rest, out, err);
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

#include "base/TarvexError.h"
#include "cli/Commands.h"

namespace {

QList<CliCommand> allCommands() {
    QList<CliCommand> commands;
    commands += infoCommands();
    commands += managerCommands();
    commands += checkCommands();
    return commands;
}

void printUsage(QTextStream& err, const QList<CliCommand>& commands) {
    err << "usage: tarvex-cli [--user-folder DIR] [--firmware ID] COMMAND [ARGS]\n"
        << "commands:\n";
    for (const CliCommand& command : commands) {
        err << "  " << command.synopsis << '\n';
    }
}

} // namespace

int runCli(const QStringList& args, const QString& programFolder, QTextStream& out,
           QTextStream& err) {
    const QList<CliCommand> commands = allCommands();
    SessionOptions options;
    options.programFolder = programFolder;
    QStringList rest = args;
    try {
        while (!rest.isEmpty() && rest.first().startsWith(QLatin1String("--"))) {
            const QString option = rest.takeFirst();
            if (rest.isEmpty()) {
                throw UsageError{QStringLiteral("%1 needs a value").arg(option)};
            }
            if (option == QLatin1String("--user-folder")) {
                options.userFolder = rest.takeFirst();
            } else if (option == QLatin1String("--firmware")) {
                options.firmwareOverride = rest.takeFirst();
            } else {
                throw UsageError{QStringLiteral("unknown option %1").arg(option)};
            }
        }
        if (rest.isEmpty()) {
            throw UsageError{QStringLiteral("no command given")};
        }
        const QString name = rest.takeFirst();
        for (const CliCommand& command : commands) {
            if (command.name == name) {
                CliContext context(options, rest, out, err);
                command.run(context);
                out.flush();
                return 0;
            }
        }
        throw UsageError{QStringLiteral("unknown command %1").arg(name)};
    } catch (const UsageError& usage) {
        out.flush();
        err << "tarvex-cli: " << usage.message << '\n';
        printUsage(err, commands);
        err.flush();
        return 2;
    } catch (const TarvexError& error) {
        out.flush();
        err << error.message() << '\n';
        err.flush();
        return 1;
    }
}

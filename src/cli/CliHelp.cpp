#include "cli/CliHelp.h"

namespace clihelp {

namespace {

const QString kUsagePrefix = QStringLiteral("usage: tarvex-cli [options] ");

// Terms padded to one column, texts after them.
void printItems(QTextStream& out, const QList<CliHelpItem>& items) {
    qsizetype width = 0;
    for (const CliHelpItem& item : items) {
        width = std::max(width, item.term.size());
    }
    for (const CliHelpItem& item : items) {
        out << "  " << item.term.leftJustified(width) << "  " << item.text << '\n';
    }
}

const QList<CliHelpItem>& programOptions() {
    static const QList<CliHelpItem> items{
        {QStringLiteral("--user-folder DIR"),
         QStringLiteral("the user folder holding the firmware folders, instead of "
                        "$XDG_DATA_HOME/Tarvex")},
        {QStringLiteral("--firmware ID"),
         QStringLiteral("the firmware for this run, instead of the remembered one")},
        {QStringLiteral("-h, --help"),
         QStringLiteral("this help; COMMAND --help describes a command")},
        {QStringLiteral("--version"), QStringLiteral("the program's version")},
    };
    return items;
}

} // namespace

void printProgramHelp(QTextStream& out, const QList<CliCommand>& commands) {
    out << kUsagePrefix << "COMMAND [ARGS]\n"
        << "Builds firmware patch files (S3 records) from the firmware data set, as the "
           "window does.\n\nOptions:\n";
    printItems(out, programOptions());
    out << "\nCommands:\n";
    QList<CliHelpItem> list;
    for (const CliCommand& command : commands) {
        list.append({command.name, command.summary});
    }
    printItems(out, list);
    out << "\nOptions come before the arguments they belong to; --opt=VALUE and --opt VALUE "
           "are the same, and -- ends the options.\n"
        << "Exit status: 0 done, 1 an error of the work (the message on standard error), "
           "2 wrong usage.\n";
}

void printCommandHelp(QTextStream& out, const CliCommand& command) {
    out << kUsagePrefix << command.synopsis << '\n';
    if (!command.summary.isEmpty()) {
        out << command.summary.front().toUpper() << command.summary.mid(1) << ".\n";
    }
    QList<CliHelpItem> items = command.items;
    items.append({QStringLiteral("-h, --help"), QStringLiteral("this help")});
    out << '\n';
    printItems(out, items);
}

void printUsage(QTextStream& err, const QList<CliCommand>& commands, const CliCommand* command) {
    if (command) {
        err << kUsagePrefix << command->synopsis << '\n'
            << "Try 'tarvex-cli " << command->name << " --help'.\n";
        return;
    }
    err << "usage: tarvex-cli [--user-folder DIR] [--firmware ID] COMMAND [ARGS]\n"
        << "commands:\n";
    for (const CliCommand& each : commands) {
        err << "  " << each.synopsis << '\n';
    }
    err << "Try 'tarvex-cli --help'.\n";
}

} // namespace clihelp

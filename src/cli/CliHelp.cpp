// SPDX-License-Identifier: MIT
#include "cli/CliHelp.h"

#include <QCoreApplication>

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

} // namespace

void printProgramHelp(QTextStream& out, const QList<CliCommand>& commands) {
    out << kUsagePrefix << "COMMAND [ARGS]\n"
        << "Builds firmware patch files (S3 records) from the firmware data set, as the "
           "window does.\n\nOptions:\n";
    printItems(out, cli::programOptions());
    out << "\nCommands:\n";
    QList<CliHelpItem> list;
    for (const CliCommand& command : commands) {
        list.append({command.name, command.summary});
    }
    printItems(out, list);
    out << "\nA command's options may stand anywhere among its arguments: --opt=VALUE and "
           "--opt VALUE are the same, as are -oVALUE and -o VALUE; an option given twice counts "
           "once, with the last value; -- ends the options.\n"
        << QCoreApplication::translate("Report",
                                       "An address range is START-END with END its last byte, "
                                       "as every command prints one, so a printed range can be "
                                       "given to any option taking one.")
        << '\n'
        << "Exit status: 0 done, 1 an error of the work (the message on standard error), "
           "2 wrong usage.\n";
}

void printCommandHelp(QTextStream& out, const CliCommand& command) {
    out << kUsagePrefix << command.synopsis << '\n';
    if (!command.summary.isEmpty()) {
        out << command.summary.front().toUpper() << command.summary.mid(1) << ".\n";
    }
    QList<CliHelpItem> items = command.items;
    items.append(cli::helpOption());
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

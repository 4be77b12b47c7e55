// SPDX-License-Identifier: MIT
#include "cli/CliHelp.h"

#include "base/Report.h"

namespace clihelp {

namespace {

// Made when printed, so that it speaks the language then installed.
QString usagePrefix() {
    return Report::tr("usage: tarvex-cli [options] ");
}

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
    out << usagePrefix() << "COMMAND [ARGS]\n"
        << Report::tr("Builds firmware patch files (S3 records) from the firmware data set, as "
                      "the window does.")
        << "\n\n"
        << Report::tr("Options:") << '\n';
    printItems(out, cli::programOptions());
    out << '\n' << Report::tr("Commands:") << '\n';
    QList<CliHelpItem> list;
    for (const CliCommand& command : commands) {
        list.append({command.name, command.summary});
    }
    printItems(out, list);
    out << '\n'
        << Report::tr("A command's options may stand anywhere among its arguments: --opt=VALUE "
                      "and --opt VALUE are the same, as are -oVALUE and -o VALUE; an option "
                      "given twice counts once, with the last value; -- ends the options.")
        << '\n'
        << Report::tr("An address range is START-END with END its last byte, as every command "
                      "prints one, so a printed range can be given to any option taking one.")
        << '\n'
        << Report::tr("Exit status: 0 done, 1 an error of the work (the message on standard "
                      "error), 2 wrong usage.")
        << '\n';
}

void printCommandHelp(QTextStream& out, const CliCommand& command) {
    out << usagePrefix() << command.synopsis << '\n';
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
        err << usagePrefix() << command->synopsis << '\n'
            << Report::tr("Try 'tarvex-cli %1 --help'.").arg(command->name) << '\n';
        return;
    }
    err << Report::tr("usage: tarvex-cli [--user-folder DIR] [--firmware ID] COMMAND [ARGS]")
        << '\n'
        << Report::tr("commands:") << '\n';
    for (const CliCommand& each : commands) {
        err << "  " << each.synopsis << '\n';
    }
    err << Report::tr("Try 'tarvex-cli --help'.") << '\n';
}

} // namespace clihelp

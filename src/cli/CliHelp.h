// SPDX-License-Identifier: MIT
#pragma once

#include "cli/CliContext.h"

#include <QList>
#include <QTextStream>

// The texts of --help and of wrong usage.
namespace clihelp {

// The whole program: options, commands, exit status.
void printProgramHelp(QTextStream& out, const QList<CliCommand>& commands);
// One command: its usage line, what it does, its arguments and options.
void printCommandHelp(QTextStream& out, const CliCommand& command);
// After a usage error: the usage line(s) and where to read more.
void printUsage(QTextStream& err, const QList<CliCommand>& commands, const CliCommand* command);

} // namespace clihelp

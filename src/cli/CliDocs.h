#pragma once

#include "cli/CliContext.h"

#include <QList>
#include <QTextStream>

// The manual page's option and command sections and the bash completion,
// made from the same table the parser checks against, so that they cannot
// drift from it. The build writes them with the hidden program options
// --manual-sections and --bash-completion.
namespace clidocs {

// The OPTIONS and COMMANDS sections of tarvex-cli(1), in troff (ASCII only).
void printManualSections(QTextStream& out, const QList<CliCommand>& commands);
// The bash completion script.
void printBashCompletion(QTextStream& out, const QList<CliCommand>& commands);

} // namespace clidocs

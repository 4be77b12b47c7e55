// SPDX-License-Identifier: MIT
#pragma once

#include "cli/CliContext.h"

#include <QList>
#include <functional>
#include <optional>

// Each group of commands lives in its own file and is listed here.
QList<CliCommand> infoCommands();     // info, custom
QList<CliCommand> managerCommands();  // slots, assign, restore, volume, build
QList<CliCommand> pictureCommands();  // decode
QList<CliCommand> checkCommands();    // check, verify, import
QList<CliCommand> firmwareCommands(); // match, scan, extract, previews, apply, revert, port
QList<CliCommand> dataSetCommands();  // firmwares, use, remove

namespace cli {
// The session's folders, also when its data set does not load: a data set
// the program cannot start on is just what the check must report on, and
// commands that make a new one need only the user folder.
const Session& sessionFolders(CliContext& context);
// The last line of a command that added a data set: how a user reaches it.
void printHowToUse(CliContext& context, const QString& id);
// A yes/no question on the terminal: the line typed, or nothing when there
// is no terminal. Tests put their own answers in its place (an empty
// function restores the terminal).
using TerminalQuestion = std::function<std::optional<QString>(const QString& question)>;
void setTerminalForTests(TerminalQuestion question);
} // namespace cli

// Every command, in the order --help lists them.
QList<CliCommand> cliCommands();

// Runs the front end on already split arguments (without the program name).
// Returns the exit code: 0 done, 1 the program's own error, 2 wrong usage.
int runCli(const QStringList& args, const QString& programFolder, QTextStream& out,
           QTextStream& err);

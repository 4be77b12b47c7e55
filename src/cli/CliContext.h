// SPDX-License-Identifier: MIT
#pragma once

#include "cli/OptionParser.h"
#include "dataset/Session.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <memory>

// What every command gets: its arguments, the output streams and, on demand,
// the started session over the current firmware's data set.
class CliContext {
public:
    CliContext(SessionOptions options, QStringList args, QTextStream& out, QTextStream& err);

    const QStringList& args() const { return args_; }
    QTextStream& out() { return out_; }
    QTextStream& err() { return err_; }

    // Starts the session on first use; raises the start-up error.
    Session& session();
    // The same for a command that writes: the data set's lock is taken first
    // and held until the command ends.
    Session& writingSession();

    // Writes bytes to path: "-" or empty for standard output, a device or
    // FIFO directly, a regular file replaced only once complete.
    void writeOutput(const QString& path, const QByteArray& bytes);
    // Raises the refusal of an output inside a firmware folder of the user
    // folder; every output of a command is checked before it is opened.
    void requireOutsideDataSets(const QString& path) const;
    // The same, and the refusal of an output that is one of the files the
    // command reads (links resolved): it would be replaced while, or before,
    // it is read.
    void requireOutput(const QString& path, const QStringList& inputs) const;
    // The last line of a command whose output may reach a handset, on
    // standard error, when the current data set is a bundled demonstration
    // one (or dataSet is): its addresses are examples only.
    void warnIfDemonstration(const QString& dataSet = {});

private:
    SessionOptions options_;
    QStringList args_;
    QTextStream& out_;
    QTextStream& err_;
    std::unique_ptr<Session> session_;
};

// Raised by a command for wrong usage: exit 2 with the usage text.
struct UsageError {
    QString message;
};

// What goes in an argument or an option's value, for the completion: Auto
// reads it from the term's value name (FILE, DIR, ID, SLOT, a|b|c, TEXT...).
enum class CliValue { Auto, Text, File, Dir, Words, Slot, Firmware };

// One argument or option of a command: the table the parser checks the
// command line against and --help, the manual page and the completion show.
// An option's term is its names, then the name of its value if it takes one
// ("-o, --output OUT", "--json"); an argument's term is its name ("FILE",
// "melodies|java|pictures").
struct CliHelpItem {
    QString term;
    QString text;
    CliValue value = CliValue::Auto;

    bool isOption() const { return term.startsWith(QLatin1Char('-')); }
    // An option's names ("-o", "--output"); empty for an argument.
    QStringList names() const;
    // The name of the option's value ("OUT"), empty for a flag; an argument's term.
    QString valueName() const;
    bool takesValue() const { return isOption() && !valueName().isEmpty(); }
    // What the value is, Auto resolved.
    CliValue valueKind() const;
};

// A command of the table. Its items declare every argument and option: the
// runner refuses what is not declared before the command reads its options
// with OptionParser.
struct CliCommand {
    QString name;
    QString synopsis; // one usage line, after "tarvex-cli [options] "
    std::function<void(CliContext&)> run;
    QString summary = {};          // one line for the command list
    QList<CliHelpItem> items = {}; // its arguments and options
};

namespace cli {
// The program's own options, before the command.
const QList<CliHelpItem>& programOptions();
// -h, --help, which every command takes.
const CliHelpItem& helpOption();
} // namespace cli

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

// One line of a command's help: an argument or option, and what it is.
struct CliHelpItem {
    QString term; // "FILE", "-o, --output OUT"
    QString text;
};

// A command of the table. Options are parsed by the command itself with
// OptionParser; summary and items only describe them for --help.
struct CliCommand {
    QString name;
    QString synopsis; // one usage line, after "tarvex-cli [options] "
    std::function<void(CliContext&)> run;
    QString summary = {};          // one line for the command list
    QList<CliHelpItem> items = {}; // its arguments and options
};

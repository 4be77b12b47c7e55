#pragma once

#include "dataset/Session.h"

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

    // Writes bytes to a file (atomically) or, when path is empty, to stdout.
    void writeOutput(const QString& path, const QByteArray& bytes);

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

struct CliCommand {
    QString name;
    QString synopsis; // one usage line, after "tarvex-cli [options] "
    std::function<void(CliContext&)> run;
};

// Parses "--name VALUE" options out of args; returns the rest.
class OptionParser {
public:
    explicit OptionParser(QStringList args);
    // The option's value or fallback; raises UsageError when it has no value.
    QString take(const QStringList& names, const QString& fallback = {});
    // The remaining positional arguments, exactly count of them.
    QStringList positional(int count);

private:
    QStringList args_;
};

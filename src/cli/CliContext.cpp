#include "cli/CliContext.h"

#include "dataset/ListFile.h"

#include <QFile>

CliContext::CliContext(SessionOptions options, QStringList args, QTextStream& out, QTextStream& err)
    : options_(std::move(options)), args_(std::move(args)), out_(out), err_(err) {}

Session& CliContext::session() {
    if (!session_) {
        session_ = std::make_unique<Session>(options_);
        session_->start();
    }
    return *session_;
}

Session& CliContext::writingSession() {
    options_.forWriting = true;
    return session();
}

void CliContext::writeOutput(const QString& path, const QByteArray& bytes) {
    if (!path.isEmpty()) {
        listfile::writeWhole(path, bytes);
        return;
    }
    out_.flush();
    QFile stdoutFile;
    if (stdoutFile.open(stdout, QIODevice::WriteOnly)) {
        stdoutFile.write(bytes);
        stdoutFile.flush();
    }
}

OptionParser::OptionParser(QStringList args) : args_(std::move(args)) {}

QString OptionParser::take(const QStringList& names, const QString& fallback) {
    for (qsizetype i = 0; i < args_.size(); ++i) {
        if (names.contains(args_[i])) {
            if (i + 1 >= args_.size()) {
                throw UsageError{QStringLiteral("%1 needs a value").arg(args_[i])};
            }
            const QString value = args_[i + 1];
            args_.remove(i, 2);
            return value;
        }
    }
    return fallback;
}

QStringList OptionParser::positional(int count) {
    for (const QString& arg : args_) {
        if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            throw UsageError{QStringLiteral("unknown option %1").arg(arg)};
        }
    }
    if (args_.size() != count) {
        throw UsageError{QStringLiteral("expected %1 argument(s)").arg(count)};
    }
    return args_;
}

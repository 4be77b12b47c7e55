#include "cli/CliContext.h"

#include "platform/OutputFile.h"

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
    out_.flush();
    OutputFile file(path.isEmpty() ? QStringLiteral("-") : path);
    file.open();
    file.write(bytes.constData(), bytes.size());
    file.commit();
}

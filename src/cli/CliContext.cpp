#include "cli/CliContext.h"

#include "base/TarvexError.h"
#include "dataset/OutputPlace.h"
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

void CliContext::requireOutsideDataSets(const QString& path) const {
    const QString user =
        options_.userFolder.isEmpty() ? outputplace::standardUserFolder() : options_.userFolder;
    if (const QString refusal = outputplace::refusal(user, path); !refusal.isEmpty()) {
        throw TarvexError(refusal);
    }
}

void CliContext::writeOutput(const QString& path, const QByteArray& bytes) {
    requireOutsideDataSets(path.isEmpty() ? QStringLiteral("-") : path);
    out_.flush();
    OutputFile file(path.isEmpty() ? QStringLiteral("-") : path);
    file.open();
    file.write(bytes.constData(), bytes.size());
    file.commit();
}

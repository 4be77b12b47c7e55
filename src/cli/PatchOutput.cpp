#include "cli/PatchOutput.h"

#include "cli/CliContext.h"

namespace {

void writeText(OutputFile& file, const S3LineList& lines) {
    file.write(lines.text().data(), qint64(lines.text().size()));
}

} // namespace

PatchOutput::PatchOutput(CliContext& context, const QString& path, Mode mode)
    : file_(path.isEmpty() ? QStringLiteral("-") : path) {
    context.requireOutsideDataSets(file_.path());
    context.out().flush(); // what a command printed goes first
    file_.open();
    collects_ = mode == Mode::WholeOrNothing && file_.isStream();
    if (!collects_) {
        writer_ = S3Writer([this](const S3LineList& block) { writeText(file_, block); });
    }
}

void PatchOutput::complete() {
    writer_.finish();
    if (collects_) {
        writeText(file_, writer_.take());
    }
    file_.commit();
}

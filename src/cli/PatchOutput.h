// SPDX-License-Identifier: MIT
#pragma once

#include "platform/OutputFile.h"
#include "srec/S3Writer.h"

class CliContext;

// A patch on its way to a command's output (-o). The records are written in
// blocks as they are made. A regular file is replaced only once the patch is
// complete; standard output, a device or a FIFO cannot take back what they
// got, so for a patch whose making can still fail halfway (WholeOrNothing)
// the records are collected and written only once all are made.
class PatchOutput {
public:
    enum class Mode { AsMade, WholeOrNothing };

    // Opens the output; raises "Cannot create file %s".
    PatchOutput(CliContext& context, const QString& path, Mode mode);

    S3Writer& writer() { return writer_; }
    // Writes what is left and puts the output in place.
    void complete();
    bool isStandardOutput() const { return OutputFile::isStandardOutput(file_.path()); }

private:
    OutputFile file_;
    bool collects_ = false;
    S3Writer writer_;
};

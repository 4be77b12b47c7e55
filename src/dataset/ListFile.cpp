#include "dataset/ListFile.h"

#include "base/LineSplitter.h"
#include "base/TarvexError.h"
#include "platform/CheckedSaveFile.h"
#include "platform/FileOps.h"

#include <QFile>

namespace listfile {

QStringList load(const QString& path, qsizetype* nulLine, qsizetype* longLine) {
    QFile file;
    QString reason;
    if (!fileops::openRegular(file, path, &reason)) {
        throw errors::cannotOpenFile(path, reason);
    }
    // Read in chunks straight into the lines: no copy of the whole file.
    QStringList lines;
    if (!textlines::collectLines(file, lines, nulLine, kLongestLine, longLine)) {
        throw errors::streamRead();
    }
    return lines;
}

void writeWhole(const QString& path, const QByteArray& bytes) {
    CheckedSaveFile file(path);
    if (!file.open() || !file.write(bytes) || !file.commit()) {
        throw errors::cannotCreateFile(path, file.errorString());
    }
}

void save(const QString& path, const QStringList& lines) {
    writeWhole(path, encode(lines));
}

} // namespace listfile

#include "cli/InputStream.h"

#include "base/TarvexError.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace cli {

bool isStandardInput(const QString& path) {
    return path == QLatin1String("-");
}

bool openStream(QFile& stream, const QString& path) {
    if (isStandardInput(path)) {
        if (!stream.open(fileno(stdin), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
            throw errors::cannotOpenFile(QStringLiteral("standard input"), stream.errorString());
        }
        return true;
    }
    const QFileInfo info(path); // stat(): the type is known without opening it
    if (!info.exists() || info.isFile() || info.isDir()) {
        return false;
    }
    stream.setFileName(path);
    if (!stream.open(QIODevice::ReadOnly)) {
        throw errors::cannotOpenFile(path, stream.errorString());
    }
    return true;
}

QByteArray readStandardInput() {
    QFile in;
    openStream(in, QStringLiteral("-"));
    QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        throw errors::streamRead();
    }
    return bytes;
}

} // namespace cli

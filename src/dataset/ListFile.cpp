#include "dataset/ListFile.h"

#include "dataset/Cp1251.h"
#include "dataset/TarvexError.h"

#include <QFile>
#include <QSaveFile>

namespace listfile {

QStringList splitLines(const QString& text) {
    QStringList lines;
    const qsizetype end = [&] {
        const qsizetype nul = text.indexOf(QChar(0));
        return nul < 0 ? text.size() : nul;
    }();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < end) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < end && text[i + 1] == QLatin1Char('\n')) {
                ++i;
            }
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < end) {
        lines.append(text.mid(start, end - start));
    }
    return lines;
}

QStringList decode(const QByteArray& bytes) {
    return splitLines(cp1251::decode(bytes));
}

QByteArray encode(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) {
        out += cp1251::encodeOrThrow(line);
        out += "\r\n";
    }
    return out;
}

QStringList load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw errors::cannotOpenFile(path);
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw errors::streamRead();
    }
    return decode(bytes);
}

void writeWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw errors::cannotCreateFile(path);
    }
}

void save(const QString& path, const QStringList& lines) {
    writeWhole(path, encode(lines));
}

} // namespace listfile
